#pragma once

#include "arx/adsdef.h"

// Builds a host list (a chain of resbuf nodes) one value at a time,
//   ads_list_user list;
//   list + acutBuildList(RTLB, 0) + L"A" + L"3" + acutBuildList(RTLE, 0);
// hands it to the host as a LISP function's result (ret_list) and frees the
// chain when it goes. Allocation failures are reported through the host's
// acdbFail and leave the list as it was.
class ads_list_user {
public:
    ads_list_user() = default;
    // Takes ownership of `chain`.
    explicit ads_list_user(resbuf* chain);
    // A copy made node by node.
    ads_list_user(ads_list_user& source);
    ~ads_list_user();

    ads_list_user& operator=(const ads_list_user&) = delete;

    ads_list_user& operator+(ads_int value);
    ads_list_user& operator+(long value);
    ads_list_user& operator+(ads_real value);
    ads_list_user& operator+(const ACHAR* text);
    ads_list_user& operator+(const long (&pair)[2]);
    ads_list_user& operator+(const ads_point point);
    // Links the chain in; the list takes ownership of it.
    ads_list_user& operator+(resbuf* chain);

    void append(resbuf* chain);

    void rewind() { cursor = head; }
    resbuf* next();
    resbuf* first() const { return head; }
    resbuf* last() const { return tail; }
    bool is_empty() const { return head == nullptr; }

    // The host copies the chain; the list keeps and later frees its own.
    int ret_list();

    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    resbuf* cursor = nullptr;
    resbuf* last_new = nullptr;

private:
    resbuf* NewNode(short type, const ACHAR* failure);
};
