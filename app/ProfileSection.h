// Classes in this file:
//   CProfileSection  - one section of the profile, read whole with one profile call
//   CProfileSections - sections read once each while the profile does not change
//   CProfileWrite    - one value to write into the profile (CProfileUpdate writes them)
//
// The platform's profile functions open and look through the whole file on
// every call, and read it again from disk on every call within two seconds
// of the last write: one call per key makes long lists and big profiles slow.
#pragma once

#include "framework/String.h"

#include <string>
#include <unordered_map>
#include <vector>

// What the profile functions trim from both ends of section names and values
BOOL IsTrimmedByProfile(char ch);
// A name the profile functions address exactly as given: not empty, nothing
// to trim at either end
BOOL IsPlainSectionName(LPCSTR pszName);
// Whether two section names, or two key names, address the same one: the
// profile functions trim names and compare them folding ASCII letters only.
BOOL IsSameName(LPCSTR pszName, LPCSTR pszOther);
// A name, or a value as the profile keeps it once it reads the file again:
// without blanks at either end
CString ProfileTrimmed(const CString& strText);
// A name as the profile functions compare it: equal for names that address
// the same section or key
std::string FoldedName(LPCSTR pszName);

class CProfileSection
{
public:
    struct CEntry
    {
        CString strKey;
        CString strValue;          // as stored: quotes kept, never cut to a buffer
        std::wstring strWideKey;   // the key and the value as the profile holds them
        std::wstring strWide;
        BOOL bHasValue;            // FALSE for a line without "="
    };

    // Reads the section, whatever its size; an absent section or profile
    // reads as no entries.
    void Read(LPCSTR pszProfile, LPCSTR pszSection);
    // The first entry of the key, or null
    const CEntry* Find(LPCSTR pszKey) const;
    // The first entry of the key; a key that the section does not hold is
    // added at its end without a value, and bAdded tells so
    CEntry& FindOrAdd(const CString& strKey, BOOL& bAdded);
    // What reading the key with default "" into a buffer of nBufferSize bytes
    // returns, when the stored text tells it alone; FALSE for a value in
    // quotes or longer than the buffer, which only the profile call reads right
    BOOL Lookup(LPCSTR pszKey, DWORD nBufferSize, CString& strValue) const;

    // The entries as read, in the section's order
    std::vector<CEntry> m_entries;

private:
    std::unordered_map<std::string, size_t> m_firstOfKey;
};

class CProfileSections
{
public:
    // The section as the profile held it when it was first asked for
    const CProfileSection& Read(LPCSTR pszProfile, LPCSTR pszSection);

private:
    // By the name exactly as given: reads do not trim names as writes do.
    std::unordered_map<std::string, CProfileSection> m_sections;
};

struct CProfileWrite
{
    CString strSection;
    CString strKey;
    CString strValue;
};

// Between the program's narrow texts and the profile's own
std::wstring WideText(LPCSTR psz);
CString NarrowText(const std::wstring& str);
