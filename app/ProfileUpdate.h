// Classes in this file:
//   CProfileUpdate - puts values into the profile as one replacement of the whole file
//
// The profile functions rewrite the file in place: a process that ends in the
// middle of a write leaves it cut short or empty. An update has the same
// functions write a copy beside the profile and renames the copy over the
// profile, so that the profile is at every moment the old file or the new
// one, whole.
#pragma once

#include "ProfileSection.h"

#include <vector>

class CProfileUpdate
{
public:
    // Told of each step of an update; it may keep the windows painted meanwhile
    class CProgress
    {
    public:
        virtual ~CProgress() = default;
        virtual void Step(int nDone, int nTotal) = 0;
    };

    explicit CProfileUpdate(LPCSTR pszProfile, CProgress* pProgress = nullptr);

    // Leaves the profile as one profile call per write, in their order, would
    // leave it, but for the blanks at the end of values, which a read drops
    // anyway. A write of the value that a key holds already changes nothing,
    // and when no write changes anything no file is touched. FALSE, with the
    // profile as it was, when the profile could not be written. The sections
    // that pRead holds are taken as read; it must have read this profile
    // since its last change.
    BOOL Write(const std::vector<CProfileWrite>& writes, CProfileSections* pRead = nullptr);

    // The copy lies beside the profile, named as the profile with this added.
    static constexpr LPCSTR COPY_SUFFIX = ".new";

    // Called after each step of an update with the step's number, from 1;
    // tests end the process there. Null in the program.
    typedef void (*StepHook)(int nStep);
    static StepHook s_pfnStep;

private:
    struct CSection;
    class CLayoutScan;
    BOOL MakeCopy(std::vector<CSection>& sections);
    BOOL WriteSection(const CSection& section);
    BOOL PutCopyInPlace();
    void Step();

    CString m_strProfile;
    CString m_strCopy;
    CProgress* m_pProgress;
    int m_nStep = 0;
    int m_nSteps = 0;
};
