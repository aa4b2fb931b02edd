// Start-up: Kovana.exe started as a process until its tab launcher window is
// visible with the configuration loaded, over profiles of 1 and 501
// configurations, against the floor program, which makes the same window and
// page windows from the same templates and is started the same way.
#include "BenchSupport.h"
#include "harness/TestFiles.h"

#include <cstdio>

// Single starts vary by a tenth of a second with what else the machine does;
// with 31 rounds the median ratio still moved by up to 0.05 from one run of the
// benchmark to the next.
static const int RUNS = 61;

// The ratios of the starts made one after the other in each round: the load
// of the machine changes less between them than over the whole benchmark.
static CTimes PairedRatios(const CTimes& times, const CTimes& floorTimes)
{
    CTimes ratios;
    for (size_t i = 0; i < times.Runs().size() && i < floorTimes.Runs().size(); i++)
        ratios.Add(times.Runs()[i] / floorTimes.Runs()[i]);
    return ratios;
}

static CString CopyInto(const CTempDir& dir, LPCSTR pszSource, LPCSTR pszName)
{
    CString strTarget = dir.File(pszName);
    ::CopyFileA(pszSource, strTarget, FALSE);
    return strTarget;
}

int main()
{
    // The figures go to a pipe when run from a script; show each at once.
    setvbuf(stdout, nullptr, _IONBF, 0);
    CLauncherApp app;
    CTempDir scratch("kovana-startup-bench"), one("kovana-startup-1"), many("kovana-startup-501"),
        floor("kovana-startup-floor");
    std::string section = DefaultSection(app, scratch.Path());
    WriteOldProfile(one.File("Kovana.ini"), ProfileText(1, section));
    WriteOldProfile(many.File("Kovana.ini"), ProfileText(501, section));

    CStartedProgram programs[] = {
        { "bare templates", CopyInto(floor, STARTUP_FLOOR_EXE, "floor.exe"), ConfigName(501),
          "ZOT Brimlo - " + ConfigName(501) },
        { "1 configuration", CopyInto(one, KOVANA_EXE, "Kovana.exe"), "1", "ZOT Brimlo - " + ConfigName(1) },
        { "501 configurations", CopyInto(many, KOVANA_EXE, "Kovana.exe"), "1", "ZOT Brimlo - " + ConfigName(501) },
    };
    // The first start of each pays for loading the executable from disk.
    for (int nRun = -1; nRun < RUNS; nRun++)
        for (CStartedProgram& program : programs)
        {
            if (!program.Run())
            {
                printf("%s: no window \"%s\" within %lu ms\n", (LPCSTR)program.m_strLabel,
                       (LPCSTR)program.m_strCaption, CStartedProgram::WINDOW_TIMEOUT_MS);
                return 1;
            }
            if (nRun < 0)
                program.m_times = CTimes();
        }

    printf("Start to the visible tab window with its configuration, median (best) of %d starts; the ratio is\n"
           "the median of the ratios of the starts of one round, with the middle half of those ratios:\n", RUNS);
    const CTimes& floorTimes = programs[0].m_times;
    for (const CStartedProgram& program : programs)
    {
        printf("  %-20s %6.3f s (%6.3f s)", (LPCSTR)program.m_strLabel, program.m_times.Median(),
               program.m_times.Best());
        if (&program != &programs[0])
        {
            CTimes ratios = PairedRatios(program.m_times, floorTimes);
            printf("   ratio to the bare templates %.2f (%.2f-%.2f; best %.2f)", ratios.Median(), ratios.Quantile(0.25),
                   ratios.Quantile(0.75), program.m_times.Best() / floorTimes.Best());
        }
        printf("\n");
    }
    return 0;
}
