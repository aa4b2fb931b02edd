#include "ProfileSection.h"

#include "framework/File.h"

#include <algorithm>
#include <unordered_map>

// A section of more characters than this is read only in part.
static const DWORD SECTION_READ_MAX = 1u << 22;

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

// A name, or a value as the profile keeps it once it reads the file again:
// without blanks at either end
static CString Trimmed(const CString& strText)
{
    int nStart = 0, nEnd = strText.GetLength();
    while (nStart < nEnd && IsTrimmedByProfile(strText[nStart]))
        nStart++;
    while (nEnd > nStart && IsTrimmedByProfile(strText[nEnd - 1]))
        nEnd--;
    return strText.Mid(nStart, nEnd - nStart);
}

// The name as the profile functions compare it
static std::string FoldedName(LPCSTR pszName)
{
    std::string name = Trimmed(pszName).str();
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

void CProfileSection::Read(LPCSTR pszProfile, LPCSTR pszSection)
{
    m_entries.clear();
    m_firstOfKey.clear();
    m_bComplete = TRUE;
    // The wide call: the narrow one reads a section that does not fit its
    // buffer after conversion as an empty one.
    std::wstring section = WideText(pszSection), profile = WideText(pszProfile);
    std::vector<WCHAR> buffer;
    DWORD nLength = 0;
    for (DWORD nSize = 1u << 15;; nSize *= 2)
    {
        buffer.assign(nSize, L'\0');
        nLength = ::GetPrivateProfileSectionW(section.c_str(), buffer.data(), nSize, profile.c_str());
        // A buffer that was too small comes back filled but for two characters.
        if (nLength + 2 < nSize)
            break;
        if (nSize >= SECTION_READ_MAX)
        {
            m_bComplete = FALSE;
            break;
        }
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
        return m_bComplete;
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

// A value as the profile function stores it when it is written: without
// blanks at its start
static std::wstring StoredValue(const CString& strValue)
{
    int nStart = 0;
    while (nStart < strValue.GetLength() && IsTrimmedByProfile(strValue[nStart]))
        nStart++;
    return WideText(strValue.Mid(nStart));
}

namespace {

// The keys of a section as a series of writes leaves them
class CSectionKeys
{
public:
    explicit CSectionKeys(const CProfileSection& section) : m_section(section) {}

    // FALSE when the key holds that value already, which the profile
    // function takes for no change; the key holds it afterwards in any case.
    BOOL Write(const CString& strKey, const std::wstring& value)
    {
        BOOL bAdded;
        CProfileSection::CEntry& key = m_section.FindOrAdd(strKey, bAdded);
        if (!bAdded && key.bHasValue && key.strWide == value)
            return FALSE;
        key.strWide = value;
        key.bHasValue = TRUE;
        return TRUE;
    }

    // In the section's order, new keys at its end
    const std::vector<CProfileSection::CEntry>& Keys() const { return m_section.m_entries; }

private:
    CProfileSection m_section;
};

// The writes of one section, in their order, with what the section holds
struct CSectionWrites
{
    CString strSection;
    std::vector<const CProfileWrite*> writes;
    CProfileSection section;
};

}  // namespace

// Whether writing a whole section keeps every line the profile functions
// would keep: they drop comments, lines without "=" and keys without a name
// from a section written whole. The check is on the whole file, and errs
// towards the slower one-by-one writes.
static BOOL IsRewritableProfile(LPCSTR pszProfile)
{
    CFile file;
    if (!file.Open(pszProfile, CFile::modeRead | CFile::shareDenyNone) || file.GetFileType() != FILE_TYPE_DISK)
        return FALSE;
    std::string text;
    std::vector<char> block(1 << 16);
    UINT nRead;
    while ((nRead = file.Read(block.data(), (UINT)block.size())) > 0)
        text.append(block.data(), nRead);
    // A marker of Unicode text: the lines below would be read wrong.
    if (text.size() >= 2 && ((BYTE)text[0] >= 0xEF || text[0] == '\0' || text[1] == '\0'))
        return FALSE;
    for (size_t nStart = 0; nStart < text.size();)
    {
        size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        size_t i = nStart;
        while (i < nEnd && IsTrimmedByProfile(text[i]))
            i++;
        if (i < nEnd)
        {
            std::string line = text.substr(i, nEnd - i);
            if (line[0] == ';' || line[0] == '=')
                return FALSE;
            if (line[0] == '[' ? line.find(']') == std::string::npos : line.find('=') == std::string::npos)
                return FALSE;
        }
        nStart = nEnd + 1;
    }
    return TRUE;
}

// The writes of one section; pNames lists the sections there are, or is null
// when they are not known
static BOOL WriteSection(LPCSTR pszProfile, const CSectionWrites& writes, const std::vector<CString>* pNames,
                         BOOL& bFileChecked, BOOL& bRewritable)
{
    // The values without blanks at their ends, as the file would keep them
    CSectionKeys keys(writes.section);
    std::vector<std::pair<const CProfileWrite*, CString>> changes;
    for (const CProfileWrite* pWrite : writes.writes)
    {
        CString strValue = Trimmed(pWrite->strValue);
        if (keys.Write(pWrite->strKey, WideText(strValue)) || !writes.section.IsComplete())
            changes.push_back({ pWrite, strValue });
    }
    if (changes.empty())
        return TRUE;

    const CString& strSection = writes.strSection;
    BOOL bWholeSection = FALSE;
    BOOL bAllValued = std::all_of(keys.Keys().begin(), keys.Keys().end(),
                                  [](const CProfileSection::CEntry& key) { return key.bHasValue; });
    if (IsPlainSectionName(strSection) && pNames && writes.section.IsComplete() && bAllValued)
    {
        int nSameName = 0;
        for (const CString& strName : *pNames)
            if (IsSameName(strName, strSection))
                nSameName++;
        // A new section takes every key in one call. So does a section that
        // the profile would write back unchanged but for the values, when
        // more than one value changes.
        if (nSameName == 0)
            bWholeSection = TRUE;
        else if (nSameName == 1 && changes.size() > 1)
        {
            if (!bFileChecked)
            {
                bRewritable = IsRewritableProfile(pszProfile);
                bFileChecked = TRUE;
            }
            bWholeSection = bRewritable;
        }
    }
    if (!bWholeSection)
    {
        for (const auto& change : changes)
            if (!::WritePrivateProfileStringA(strSection, change.first->strKey, change.second, pszProfile))
                return FALSE;
        return TRUE;
    }
    std::wstring lines;
    for (const CProfileSection::CEntry& key : keys.Keys())
        lines += key.strWideKey + L"=" + key.strWide + L'\0';
    lines += L'\0';
    return ::WritePrivateProfileSectionW(WideText(strSection).c_str(), lines.c_str(), WideText(pszProfile).c_str());
}

BOOL WriteProfileValues(LPCSTR pszProfile, const std::vector<CProfileWrite>& writes)
{
    // The sections in the order of their first write: sections and keys are
    // made at their first write, so the file keeps the order that one call
    // per write would give it.
    std::vector<CSectionWrites> sections;
    std::vector<size_t> sectionOfWrite(writes.size());
    for (size_t nWrite = 0; nWrite < writes.size(); nWrite++)
    {
        const CProfileWrite& write = writes[nWrite];
        size_t nSection = 0;
        while (nSection < sections.size() && !IsSameName(sections[nSection].strSection, write.strSection))
            nSection++;
        if (nSection == sections.size())
            sections.push_back({ write.strSection, {}, {} });
        sections[nSection].writes.push_back(&write);
        sectionOfWrite[nWrite] = nSection;
    }
    if (sections.empty())
        return TRUE;
    for (CSectionWrites& section : sections)
        section.section.Read(pszProfile, section.strSection);

    // One call per write would read the file anew before each write that
    // follows a change, and reading drops the blanks at the end of every
    // value. So the file would keep such blanks only in the value of the last
    // write that changed something.
    const CProfileWrite* pLastChange = nullptr;
    std::vector<CSectionKeys> keys;
    for (const CSectionWrites& section : sections)
        keys.emplace_back(section.section);
    for (size_t nWrite = 0; nWrite < writes.size(); nWrite++)
    {
        CSectionKeys& sectionKeys = keys[sectionOfWrite[nWrite]];
        if (sectionKeys.Write(writes[nWrite].strKey, StoredValue(writes[nWrite].strValue)))
            pLastChange = &writes[nWrite];
        sectionKeys.Write(writes[nWrite].strKey, WideText(Trimmed(writes[nWrite].strValue)));
    }
    if (!pLastChange)
        return TRUE;

    // The names of the sections there are; a list that does not fit leaves
    // every section to the one-by-one writes.
    std::vector<WCHAR> buffer(1u << 16);
    DWORD nLength = ::GetPrivateProfileSectionNamesW(buffer.data(), (DWORD)buffer.size(), WideText(pszProfile).c_str());
    std::vector<CString> names;
    for (DWORD i = 0; i < nLength && buffer[i]; i += lstrlenW(&buffer[i]) + 1)
        names.push_back(NarrowText(&buffer[i]));
    BOOL bNamesKnown = nLength + 2 < buffer.size();
    BOOL bFileChecked = FALSE, bRewritable = FALSE;
    for (const CSectionWrites& section : sections)
        if (!WriteSection(pszProfile, section, bNamesKnown ? &names : nullptr, bFileChecked, bRewritable))
            return FALSE;
    if (Trimmed(pLastChange->strValue) == pLastChange->strValue)
        return TRUE;
    return ::WritePrivateProfileStringA(pLastChange->strSection, pLastChange->strKey, pLastChange->strValue, pszProfile);
}
