#include "ProfileSection.h"

#include <algorithm>
#include <memory>

// A bound that no profile reaches, where the doubling of a read's buffer stops
static const DWORD SECTION_BUFFER_MAX = 1u << 30;

BOOL IsTrimmedByProfile(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r') || ch == '\x1a';
}

BOOL IsPlainSectionName(LPCSTR pszName)
{
    int nLength = lstrlenA(pszName);
    return nLength > 0 && !IsTrimmedByProfile(pszName[0]) && !IsTrimmedByProfile(pszName[nLength - 1]);
}

static char FoldAscii(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? (char)(ch - 'A' + 'a') : ch;
}

CString ProfileTrimmed(const CString& strText)
{
    int nStart = 0, nEnd = strText.GetLength();
    while (nStart < nEnd && IsTrimmedByProfile(strText[nStart]))
        nStart++;
    while (nEnd > nStart && IsTrimmedByProfile(strText[nEnd - 1]))
        nEnd--;
    return strText.Mid(nStart, nEnd - nStart);
}

std::string FoldedName(LPCSTR pszName)
{
    std::string name = ProfileTrimmed(pszName).str();
    std::transform(name.begin(), name.end(), name.begin(), FoldAscii);
    return name;
}

BOOL IsSameName(LPCSTR pszName, LPCSTR pszOther)
{
    return FoldedName(pszName) == FoldedName(pszOther);
}

std::wstring WideText(LPCSTR psz)
{
    int nLength = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (nLength <= 1)
        return std::wstring();
    std::wstring str(nLength, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &str[0], nLength);
    str.resize(nLength - 1);
    return str;
}

CString NarrowText(const std::wstring& str)
{
    int nLength = ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (nLength <= 1)
        return CString();
    CString strNarrow;
    ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, strNarrow.GetBuffer(nLength), nLength, nullptr, nullptr);
    strNarrow.ReleaseBuffer(nLength - 1);
    return strNarrow;
}

// A section cannot hold more characters than its file holds bytes, whatever
// the file's encoding: a buffer of that size always takes it whole.
static DWORD SectionBufferSize(LPCSTR pszProfile)
{
    const DWORD nSmallest = 1u << 15;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(pszProfile, GetFileExInfoStandard, &data))
        return nSmallest;
    if (data.nFileSizeHigh || data.nFileSizeLow >= SECTION_BUFFER_MAX)
        return SECTION_BUFFER_MAX;
    return std::max(nSmallest, data.nFileSizeLow + 2);
}

void CProfileSection::Read(LPCSTR pszProfile, LPCSTR pszSection)
{
    m_entries.clear();
    m_firstOfKey.clear();
    // The wide call: the narrow one reads a section that does not fit its
    // buffer after conversion as an empty one. One call reads the section:
    // each call within two seconds of a write parses the whole file again.
    // The buffer is not cleared first, so that only the pages the section
    // fills are ever touched.
    std::wstring section = WideText(pszSection), profile = WideText(pszProfile);
    std::unique_ptr<WCHAR[]> buffer;
    DWORD nLength = 0;
    for (DWORD nSize = SectionBufferSize(pszProfile);; nSize *= 2)
    {
        buffer.reset(new WCHAR[nSize]);
        nLength = ::GetPrivateProfileSectionW(section.c_str(), buffer.get(), nSize, profile.c_str());
        // A buffer that was too small comes back filled but for two
        // characters; the file grew since its size was taken.
        if (nLength + 2 < nSize || nSize >= SECTION_BUFFER_MAX)
            break;
    }
    for (DWORD i = 0; i < nLength && buffer[i];)
    {
        std::wstring line(&buffer[i]);
        i += (DWORD)line.size() + 1;
        size_t nEquals = line.find(L'=');
        CEntry entry;
        entry.bHasValue = nEquals != std::wstring::npos;
        entry.strWideKey = line.substr(0, nEquals);
        entry.strKey = NarrowText(entry.strWideKey);
        if (entry.bHasValue)
        {
            entry.strWide = line.substr(nEquals + 1);
            entry.strValue = NarrowText(entry.strWide);
        }
        m_firstOfKey.emplace(FoldedName(entry.strKey), m_entries.size());
        m_entries.push_back(entry);
    }
}

const CProfileSection& CProfileSections::Read(LPCSTR pszProfile, LPCSTR pszSection)
{
    auto known = m_sections.emplace(pszSection, CProfileSection());
    if (known.second)
        known.first->second.Read(pszProfile, pszSection);
    return known.first->second;
}

const CProfileSection::CEntry* CProfileSection::Find(LPCSTR pszKey) const
{
    auto first = m_firstOfKey.find(FoldedName(pszKey));
    return first == m_firstOfKey.end() ? nullptr : &m_entries[first->second];
}

CProfileSection::CEntry& CProfileSection::FindOrAdd(const CString& strKey, BOOL& bAdded)
{
    auto first = m_firstOfKey.emplace(FoldedName(strKey), m_entries.size());
    bAdded = first.second;
    if (bAdded)
        m_entries.push_back({ strKey, CString(), WideText(strKey), std::wstring(), FALSE });
    return m_entries[first.first->second];
}

BOOL CProfileSection::Lookup(LPCSTR pszKey, DWORD nBufferSize, CString& strValue) const
{
    const CEntry* pEntry = Find(pszKey);
    if (!pEntry)
    {
        strValue.Empty();
        return TRUE;
    }
    const CString& strStored = pEntry->strValue;
    // A pair of quotes around a value is taken off by the read.
    if (!strStored.IsEmpty() && (strStored[0] == '"' || strStored[0] == '\''))
        return FALSE;
    if ((DWORD)strStored.GetLength() >= nBufferSize)
        return FALSE;
    strValue = strStored;
    return TRUE;
}
