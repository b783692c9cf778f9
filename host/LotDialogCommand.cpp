// LOTDIALOG: reads the lot table from the LISP arguments (or takes the kept
// one), runs the lot table dialog and keeps the table after OK.
//
//   LotDialogCommand ... resource switch -> dialog -> arguments -> DoModal
//                        -> kept state and redraw (OK) or nil (Cancel)
//   ReadArguments ...... checks the whole chain's shape, then fills the grid
//   SortLayers ......... the case-insensitive exchange sort
#include "LotDialogCommand.h"

#include "AfxResource.h"
#include "ExtensionModule.h"
#include "TabaGrid2.h"
#include "arx/acedads.h"
#include "arx/adscodes.h"

#include <vector>

CStringArray SavedLayers;
CStringArray SavedCounts;
CArray<int, int> SavedLayerUsed;
CString SavedTypeChoices;
CArray<MyCug::RecordResult, const MyCug::RecordResult&> SavedResults;

namespace {

// The argument chain as the command expects it: three non-empty lists of
// strings, then nil or a list of rows of four strings each, and nothing
// after that.
struct LotArguments {
    std::vector<const ACHAR*> layers;
    std::vector<const ACHAR*> types;
    std::vector<const ACHAR*> counts;
    std::vector<MyCug::RecordResult> rows;
};

class ChainReader {
public:
    explicit ChainReader(const resbuf* chain) : m_node(chain) {}

    // Type of the node at hand; 0 past the end of the chain.
    short Peek() const { return m_node ? m_node->restype : 0; }
    bool Take(short type)
    {
        if (Peek() != type)
            return false;
        m_node = m_node->rbnext;
        return true;
    }
    const ACHAR* TakeString()
    {
        if (Peek() != RTSTR)
            return nullptr;
        const ACHAR* text = m_node->resval.rstring ? m_node->resval.rstring : L"";
        m_node = m_node->rbnext;
        return text;
    }
    bool AtEnd() const { return m_node == nullptr; }

private:
    const resbuf* m_node;
};

bool ReadStringList(ChainReader& reader, std::vector<const ACHAR*>& items)
{
    if (!reader.Take(RTLB))
        return false;
    while (const ACHAR* text = reader.TakeString())
        items.push_back(text);
    return !items.empty() && reader.Take(RTLE);
}

bool ReadRows(ChainReader& reader, std::vector<MyCug::RecordResult>& rows)
{
    if (reader.Take(RTNIL))
        return true;
    if (!reader.Take(RTLB))
        return false;
    while (!reader.Take(RTLE)) {
        if (!reader.Take(RTLB))
            return false;
        const ACHAR* fields[4];
        for (const ACHAR*& field : fields) {
            field = reader.TakeString();
            if (!field)
                return false;
        }
        if (!reader.Take(RTLE))
            return false;
        rows.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return true;
}

// Reads the whole chain before anything is used, so that a chain of another
// shape changes nothing and no node beyond its end is ever read.
bool ParseArguments(const resbuf* chain, LotArguments& arguments)
{
    ChainReader reader(chain);
    return ReadStringList(reader, arguments.layers) && ReadStringList(reader, arguments.types)
           && ReadStringList(reader, arguments.counts) && ReadRows(reader, arguments.rows)
           && reader.AtEnd();
}

// The exchange sort of the layers, case-insensitive, carrying the counts.
void SortLayers(MyCug& grid)
{
    int n = grid.Layers.GetSize();
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (grid.Layers[i].CompareNoCase(grid.Layers[j]) > 0) {
                CString layer = grid.Layers[i];
                grid.Layers[i] = grid.Layers[j];
                grid.Layers[j] = layer;
                CString count = grid.Counts[i];
                grid.Counts[i] = grid.Counts[j];
                grid.Counts[j] = count;
            }
        }
    }
}

} // namespace

int TakeLotArguments(const resbuf* chain, MyCug& grid)
{
    LotArguments arguments;
    if (!ParseArguments(chain, arguments)) {
        acedAlert(L"Bad arguments to LOTDIALOG: expected (LOTDIALOG layers types counts rows), "
                  L"three lists of strings and nil or a list of rows of four strings");
        return RTERROR;
    }
    for (const ACHAR* layer : arguments.layers) {
        grid.Layers.Add(layer);
        grid.LayerUsed.Add(0);
    }
    for (const ACHAR* type : arguments.types)
        grid.TypeChoices += CString(type) + L"\n";
    for (const ACHAR* count : arguments.counts)
        grid.Counts.Add(count);
    if (grid.Counts.GetSize() != grid.Layers.GetSize()) {
        acedAlert(L"Count of layers not equal count of counts");
        return RTERROR;
    }

    grid.Layers.Add(L"*");
    grid.Counts.Add(L"");
    grid.LayerUsed.Add(0);
    SortLayers(grid);

    grid.Results.RemoveAll();
    for (const MyCug::RecordResult& row : arguments.rows)
        grid.Results.Add(row);
    grid.MarkUsedLayers();
    return RTNORM;
}

namespace {

void TakeKeptState(MyCug& grid)
{
    grid.Layers.Copy(SavedLayers);
    grid.LayerUsed.Copy(SavedLayerUsed);
    grid.Counts.Copy(SavedCounts);
    grid.TypeChoices = SavedTypeChoices;
    grid.Results.Copy(SavedResults);
}

void KeepState(const MyCug& grid)
{
    SavedTypeChoices = grid.TypeChoices;
    SavedLayers.Copy(grid.Layers);
    SavedLayerUsed.Copy(grid.LayerUsed);
    SavedCounts.Copy(grid.Counts);
    SavedResults.Copy(grid.Results);
}

// Makes the module's resources current for as long as it lives.
class ModuleResources {
public:
    ModuleResources() : m_previous(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(ExtensionModule::ModuleResourceHandle());
    }
    ~ModuleResources() { AfxSetResourceHandle(m_previous); }
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;

private:
    HINSTANCE m_previous;
};

} // namespace

int LotDialogCommand()
{
    ModuleResources resources;
    TabaGrid2 dialog(CWnd::FromHandle(adsw_acadMainWnd()));
    ActiveLotDialog = &dialog;

    int answer = RTNORM;
    if (const resbuf* chain = acedGetArgs())
        answer = TakeLotArguments(chain, dialog.Grid);
    else
        TakeKeptState(dialog.Grid);

    if (answer == RTNORM) {
        if (dialog.DoModal() == IDOK) {
            KeepState(dialog.Grid);
            constexpr UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;   // 0x105
            ::RedrawWindow(adsw_acadDocWnd(), nullptr, nullptr, kRedraw);
            ::RedrawWindow(adsw_acadMainWnd(), nullptr, nullptr, kRedraw);
        } else {
            acedRetNil();
            answer = RTERROR;
        }
    }
    ActiveLotDialog = nullptr;
    return answer;
}
