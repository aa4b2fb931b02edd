// Classes in this file:
//   CMapStringToString - hash map whose look-up inserts an empty value for a missing key
#pragma once

#include "String.h"

#include <unordered_map>

class CMapStringToString
{
public:
// Attributes
    int GetCount() const { return (int)m_map.size(); }
    BOOL IsEmpty() const { return m_map.empty(); }
    // Look-up without insertion
    BOOL Lookup(LPCSTR key, CString& rValue) const
    {
        auto it = m_map.find(key);
        if (it == m_map.end())
            return FALSE;
        rValue = it->second;
        return TRUE;
    }

// Operations
    // Look-up that inserts the key with an empty value when it is missing
    CString& operator[](LPCSTR key) { return m_map[key]; }
    void RemoveAll() { m_map.clear(); }

private:
    std::unordered_map<std::string, CString> m_map;
};
