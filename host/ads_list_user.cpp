#include "ads_list_user.h"

#include "arx/acdb.h"
#include "arx/acedads.h"
#include "arx/acutads.h"
#include "arx/adscodes.h"

ads_list_user::ads_list_user(resbuf* chain) : head(chain), cursor(chain)
{
    for (resbuf* node = chain; node; node = node->rbnext)
        tail = node;
}

ads_list_user::ads_list_user(ads_list_user& source)
{
    source.rewind();
    for (resbuf* node = source.next(); node; node = source.next()) {
        resbuf* copy = acutNewRb(node->restype);
        if (copy) {
            copy->resval = node->resval;
            if (node->restype == RTSTR) {
                copy->resval.rstring = node->resval.rstring
                                           ? acad__strdup(node->resval.rstring)
                                           : nullptr;
                if (node->resval.rstring && !copy->resval.rstring) {
                    acutRelRb(copy);
                    copy = nullptr;
                }
            }
        }
        if (!copy) {
            acdbFail(L"\n Error of allocate memory ads_list_user(ads_list_user &");
            continue;
        }
        append(copy);
    }
}

ads_list_user::~ads_list_user()
{
    acutRelRb(head);
}

void ads_list_user::append(resbuf* chain)
{
    if (!chain)
        return;
    if (!head) {
        head = chain;
        cursor = chain;
    } else {
        tail->rbnext = chain;
    }
    resbuf* end = chain;
    while (end->rbnext)
        end = end->rbnext;
    tail = end;
    tail->rbnext = nullptr;
}

resbuf* ads_list_user::next()
{
    resbuf* node = cursor;
    if (cursor)
        cursor = cursor->rbnext;
    return node;
}

int ads_list_user::ret_list()
{
    return acedRetList(head);
}

resbuf* ads_list_user::NewNode(short type, const ACHAR* failure)
{
    last_new = acutNewRb(type);
    if (!last_new) {
        acdbFail(failure);
        return nullptr;
    }
    append(last_new);
    return last_new;
}

ads_list_user& ads_list_user::operator+(ads_int value)
{
    if (resbuf* node = NewNode(RTSHORT, L"\n Error of allocate memory ads_list_user & operator + (ads_int)"))
        node->resval.rint = value;
    return *this;
}

ads_list_user& ads_list_user::operator+(long value)
{
    if (resbuf* node = NewNode(RTLONG, L"\n Error of allocate memory ads_list_user & operator + (long )"))
        node->resval.rlong = static_cast<std::int32_t>(value);
    return *this;
}

ads_list_user& ads_list_user::operator+(ads_real value)
{
    if (resbuf* node = NewNode(RTREAL, L"\n Error of allocate memory ads_list_user & operator + (ads_real)"))
        node->resval.rreal = value;
    return *this;
}

ads_list_user& ads_list_user::operator+(const ACHAR* text)
{
    // The host copies the text into its own node.
    last_new = acutBuildList(RTSTR, text, 0);
    if (!last_new) {
        acdbFail(L"\n Error of allocate memory ads_list_user & operator + (char * )");
        return *this;
    }
    append(last_new);
    return *this;
}

ads_list_user& ads_list_user::operator+(const long (&pair)[2])
{
    if (resbuf* node = NewNode(RTENAME, L"\n Error of allocate memory ads_list_user & operator + (long r[2])")) {
        node->resval.rlname[0] = pair[0];
        node->resval.rlname[1] = pair[1];
    }
    return *this;
}

ads_list_user& ads_list_user::operator+(const ads_point point)
{
    if (resbuf* node = NewNode(RT3DPOINT, L"\n Error of allocate memory ads_list_user & operator + (ads_point)")) {
        node->resval.rpoint[0] = point[0];
        node->resval.rpoint[1] = point[1];
        node->resval.rpoint[2] = point[2];
    }
    return *this;
}

ads_list_user& ads_list_user::operator+(resbuf* chain)
{
    append(chain);
    return *this;
}
