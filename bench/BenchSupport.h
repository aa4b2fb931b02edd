// What the benchmarks share: a clock and the times of runs, and for the
// profile benchmarks, profiles of many configurations whose sections hold what
// the real pages save.
#pragma once

#include "app/LauncherApp.h"
#include "pages/SettingsPage.h"

#include <string>
#include <vector>

// Seconds from a fixed point, at the resolution of the performance counter
double Now();

// The times of the runs of one measurement
class CTimes
{
public:
    void Add(double dSeconds) { m_runs.push_back(dSeconds); }
    double Best() const;
    double Median() const { return Quantile(0.5); }
    // The run below which the given fraction of the runs lie
    double Quantile(double dFraction) const;
    const std::vector<double>& Runs() const { return m_runs; }

private:
    std::vector<double> m_runs;
};

// A program started as a process, timed until its window with the caption
// shows; each Run adds one time
class CStartedProgram
{
public:
    CStartedProgram(LPCSTR pszLabel, const CString& strExe, const CString& strArguments, const CString& strCaption)
        : m_strLabel(pszLabel), m_strExe(strExe), m_strArguments(strArguments), m_strCaption(strCaption) {}

    // Starts the program and waits for its window; FALSE when it never shows.
    // The program is ended then.
    BOOL Run();

    static const DWORD WINDOW_TIMEOUT_MS = 30000;
    CString m_strLabel;
    CString m_strExe;
    CString m_strArguments;
    CString m_strCaption;
    CTimes m_times;
};

// The "key=value" lines, each ended by CRLF, of a configuration that the real
// pages save from their defaults. The page windows are made and gone again.
std::string DefaultSection(CLauncherApp& app, LPCSTR pszScratchFolder);

// The name of configuration N of a benchmark profile
CString ConfigName(int nConfig);

// A profile as the program leaves it after nConfigs configurations were made
// one after another with New, each holding the section given; the last one is
// current.
std::string ProfileText(int nConfigs, const std::string& section);

// Writes the profile and dates it an hour back: a profile written in the last
// two seconds is read again from disk by every profile call, which a program
// starting on an old profile does not pay.
void WriteOldProfile(LPCSTR pszPath, const std::string& text);
