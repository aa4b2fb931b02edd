#include "ProfileUpdate.h"

#include <algorithm>
#include <map>

CProfileUpdate::StepHook CProfileUpdate::s_pfnStep = nullptr;

// One section's writes, merged into what the section holds
struct CProfileUpdate::CSection
{
    CString strName;
    // What the section holds, with the writes made
    CProfileSection keys;
    // The writes that change something, in their order: key and value as kept
    std::vector<std::pair<CString, CString>> changes;
    // How many sections of this name the file holds, and whether one of them
    // holds a line that the section written whole would lose
    int nInstances = 0;
    BOOL bLosesLines = FALSE;
    // Written with one call; otherwise with one call per change
    BOOL bWhole = FALSE;
};

// Follows the profile's lines as the profile functions split them, to tell
// for each section to be written whether writing it whole keeps everything:
// a section written whole loses its comments and its lines without "=", and
// of two sections of one name the second loses its keys.
class CProfileUpdate::CLayoutScan
{
public:
    void Watch(CSection& section) { m_watched[FoldedName(section.strName)] = &section; }

    void Feed(const char* pch, size_t nCount)
    {
        if (m_bStart && nCount > 0)
        {
            // A text in UTF-8 or UTF-16 with its marker: its names are not
            // the program's narrow texts.
            m_bStart = FALSE;
            BYTE first = (BYTE)pch[0];
            m_bKnown = first != 0xEF && first != 0xFF && first != 0xFE;
        }
        if (std::find(pch, pch + nCount, '\0') != pch + nCount)
            m_bKnown = FALSE;
        const char* pchEnd = pch + nCount;
        while (pch < pchEnd)
        {
            const char* pchBreak = std::find_if(pch, pchEnd, [](char ch) { return ch == '\r' || ch == '\n'; });
            if (pchBreak == pchEnd)
            {
                m_carry.append(pch, pchEnd);
                return;
            }
            if (m_carry.empty())
                Line(pch, pchBreak);
            else
            {
                m_carry.append(pch, pchBreak);
                Line(m_carry.data(), m_carry.data() + m_carry.size());
                m_carry.clear();
            }
            pch = pchBreak + 1;
        }
    }
    void End()
    {
        Line(m_carry.data(), m_carry.data() + m_carry.size());
        m_carry.clear();
    }
    // FALSE for a file that the scan cannot follow
    BOOL IsKnown() const { return m_bKnown; }

private:
    void Line(const char* pch, const char* pchEnd)
    {
        while (pch < pchEnd && IsTrimmedByProfile(*pch))
            pch++;
        while (pchEnd > pch && IsTrimmedByProfile(pchEnd[-1]))
            pchEnd--;
        if (pch == pchEnd)
            return;
        if (*pch == '[')
        {
            // A section's name ends at the last "]" of its line.
            const char* pchClose = pchEnd;
            while (pchClose > pch && pchClose[-1] != ']')
                pchClose--;
            if (pchClose > pch + 1)
            {
                auto watched = m_watched.find(FoldedName(std::string(pch + 1, pchClose - 1).c_str()));
                m_pCurrent = watched == m_watched.end() ? nullptr : watched->second;
                if (m_pCurrent)
                    m_pCurrent->nInstances++;
                return;
            }
        }
        if (m_pCurrent && (*pch == ';' || *pch == '=' || std::find(pch, pchEnd, '=') == pchEnd))
            m_pCurrent->bLosesLines = TRUE;
    }

    std::map<std::string, CSection*> m_watched;
    CSection* m_pCurrent = nullptr;
    std::string m_carry;
    BOOL m_bStart = TRUE;
    BOOL m_bKnown = TRUE;
};

namespace {

// An open file handle, closed at the end
class CHandle
{
public:
    explicit CHandle(HANDLE h) : m_h(h) {}
    ~CHandle()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_h);
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    operator HANDLE() const { return m_h; }

private:
    HANDLE m_h;
};

// A copy that an update left behind may be read-only; a missing one is gone already.
BOOL RemoveFile(LPCSTR pszPath)
{
    ::SetFileAttributesA(pszPath, FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileA(pszPath) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Wine's own export in its ntdll
BOOL RunsOnWine()
{
    static const BOOL bWine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return bWine;
}

}  // namespace

CProfileUpdate::CProfileUpdate(LPCSTR pszProfile, CProgress* pProgress)
    : m_strProfile(pszProfile), m_strCopy(m_strProfile + COPY_SUFFIX), m_pProgress(pProgress)
{
}

BOOL CProfileUpdate::Write(const std::vector<CProfileWrite>& writes, CProfileSections* pRead)
{
    CProfileSections ownReads;
    CProfileSections& read = pRead ? *pRead : ownReads;
    // Sections are made at their first write, so they follow in that order.
    std::vector<CSection> sections;
    for (const CProfileWrite& write : writes)
    {
        auto section = std::find_if(sections.begin(), sections.end(),
                                    [&](const CSection& known) { return IsSameName(known.strName, write.strSection); });
        if (section == sections.end())
        {
            sections.emplace_back();
            section = sections.end() - 1;
            section->strName = write.strSection;
            section->keys = read.Read(m_strProfile, write.strSection);
        }
        CString strValue = ProfileTrimmed(write.strValue);
        std::wstring value = WideText(strValue);
        BOOL bAdded;
        CProfileSection::CEntry& key = section->keys.FindOrAdd(write.strKey, bAdded);
        if (!bAdded && key.bHasValue && key.strWide == value)
            continue;
        key.strWide = value;
        key.strValue = strValue;
        key.bHasValue = TRUE;
        section->changes.push_back({ write.strKey, strValue });
    }
    sections.erase(std::remove_if(sections.begin(), sections.end(),
                                  [](const CSection& section) { return section.changes.empty(); }),
                   sections.end());
    if (sections.empty())
        return TRUE;

    // The steps: the old copy gone, the new one made, the profile calls (one
    // per section written whole, as the copy tells, else one per change), and
    // the four of putting the copy in place
    m_nSteps = 6 + (int)sections.size();
    BOOL bDone = RemoveFile(m_strCopy);
    if (bDone)
    {
        Step();
        bDone = MakeCopy(sections);
    }
    if (bDone)
    {
        for (const CSection& section : sections)
            if (!section.bWhole)
                m_nSteps += (int)section.changes.size() - 1;
        Step();
        for (const CSection& section : sections)
            if (!(bDone = WriteSection(section)))
                break;
    }
    if (bDone && PutCopyInPlace())
        return TRUE;
    DWORD dwError = ::GetLastError();
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strCopy);
    RemoveFile(m_strCopy);
    ::SetLastError(dwError);
    return FALSE;
}

// Copies the profile byte for byte, and finds on the way what each section
// to be written holds. Without a profile there is nothing to copy: the
// profile functions make the copy with the first write.
BOOL CProfileUpdate::MakeCopy(std::vector<CSection>& sections)
{
    CLayoutScan scan;
    for (CSection& section : sections)
        scan.Watch(section);
    // Sharing deletion: the rename that put the last update in place may
    // still hold the file a moment.
    CHandle hProfile(::CreateFileA(m_strProfile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (hProfile == INVALID_HANDLE_VALUE)
    {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return FALSE;
        for (CSection& section : sections)
            section.bWhole = IsPlainSectionName(section.strName);
        return TRUE;
    }
    // A profile made read-only is not to be written, though the platform
    // lets an administrator rename a file over it.
    DWORD dwAttributes = ::GetFileAttributesA(m_strProfile);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    if (dwAttributes & FILE_ATTRIBUTE_READONLY)
    {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    dwAttributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    CHandle hCopy(::CreateFileA(m_strCopy, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                dwAttributes ? dwAttributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (hCopy == INVALID_HANDLE_VALUE)
        return FALSE;
    std::vector<char> block(1 << 16);
    for (;;)
    {
        DWORD nRead = 0, nWritten = 0;
        if (!::ReadFile(hProfile, block.data(), (DWORD)block.size(), &nRead, nullptr))
            return FALSE;
        if (nRead == 0)
            break;
        if (!::WriteFile(hCopy, block.data(), nRead, &nWritten, nullptr) || nWritten != nRead)
            return FALSE;
        scan.Feed(block.data(), nRead);
    }
    scan.End();
    // One change is one call either way, and the key's own call spares the
    // platform re-making every other key of the section.
    for (CSection& section : sections)
        section.bWhole = section.changes.size() > 1 && scan.IsKnown() && !section.bLosesLines
                         && section.nInstances <= 1
                         && IsPlainSectionName(section.strName)
                         && std::all_of(section.keys.m_entries.begin(), section.keys.m_entries.end(),
                                        [](const CProfileSection::CEntry& key) { return key.bHasValue; });
    return TRUE;
}

// One call for the whole section where that keeps every line of it: each call
// on the copy reads the whole file again, as it was written within the last
// two seconds.
BOOL CProfileUpdate::WriteSection(const CSection& section)
{
    if (!section.bWhole)
    {
        for (const auto& change : section.changes)
        {
            if (!::WritePrivateProfileStringA(section.strName, change.first, change.second, m_strCopy))
                return FALSE;
            Step();
        }
        return TRUE;
    }
    std::wstring lines;
    for (const CProfileSection::CEntry& key : section.keys.m_entries)
        lines += key.strWideKey + L"=" + key.strWide + L'\0';
    lines += L'\0';
    if (!::WritePrivateProfileSectionW(WideText(section.strName).c_str(), lines.c_str(), WideText(m_strCopy).c_str()))
        return FALSE;
    Step();
    return TRUE;
}

BOOL CProfileUpdate::PutCopyInPlace()
{
    // Windows documents a cache that the profile functions may write out
    // late, so the copy's view is dropped, which writes it out, before the
    // copy is flushed. Wine writes every call through, and to drop the view
    // it parses a file written in the last two seconds again, the copy
    // always: there the view goes once the copy is gone, which costs nothing.
    const BOOL bWritesThrough = RunsOnWine();
    if (!bWritesThrough)
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strCopy);
    {
        CHandle hCopy(::CreateFileA(m_strCopy, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (hCopy == INVALID_HANDLE_VALUE || !::FlushFileBuffers(hCopy))
            return FALSE;
    }
    Step();
    // What the platform holds of the profile is dropped before the profile
    // changes underneath it: on a file system that keeps its times to two
    // seconds the old view could otherwise pass for current. Dropping it
    // after the rename would have the platform read the whole new file only
    // to forget it again.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strProfile);
    Step();
    if (!::MoveFileExA(m_strCopy, m_strProfile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FALSE;
    Step();
    if (bWritesThrough)
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strCopy);
    Step();
    return TRUE;
}

void CProfileUpdate::Step()
{
    m_nStep++;
    if (m_pProgress)
        m_pProgress->Step(m_nStep, m_nSteps);
    if (s_pfnStep)
        s_pfnStep(m_nStep);
}
