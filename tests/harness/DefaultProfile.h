// What the program writes for a configuration saved from the pages' defaults,
// as a first start saves it: the options file and the profile's lines.
#pragma once

#include <string>

// The options file of the defaults, in page order, one fragment per line
inline std::string DefaultOptionsFile()
{
    return "-w 7\r\n-P 64\r\n"                       // Emulator
           "-r \r\n"                                  // Kickstart, no ROM chosen
           "-O 800:600:dxy\r\n-W\r\n-f 1\r\n"          // Video
           "-F 8\r\n-c 4\r\n-s 4\r\n"                   // Memory
           "-S 2\r\n-b 8\r\n-R 22050\r\n-B 8192\r\n"  // Sound
           "-L US\r\n"                                // Keyboard
           "-A 3";                                    // Misc, the slider at the top
}

// A profile of one configuration, pszName, saved from the defaults with the
// emulator at pszEmulator, byte for byte as the profile functions write it;
// without a style when pszStyle is null, as a first start leaves it
inline std::string DefaultProfile(const char* pszStyle, const char* pszEmulator, const char* pszType = "WIN32",
                                  const char* pszName = "Work")
{
    const std::string name = pszName;
    std::string profile = "[ConfigList]\r\nNumberOfConfig=1\r\nConfig#1=" + name + "\r\nCurrentConfigName=" + name + "\r\n";
    if (pszStyle)
        profile += std::string("BrimloStyle=") + pszStyle + "\r\n";
    profile += "[" + name + "]\r\nEmulatorPath=" + pszEmulator + "\r\nEmulatorType=" + pszType + "\r\n";
    profile += "CpuSpeed=-w 7\r\nCpuPriority=-P 64\r\nKickstartPath=-r\r\n"
               "Video=-O 800:600:dxy\r\nVideo1081Emulation=\r\nVideoDesktopWindow=-W\r\nFrameRate=-f 1\r\n"
               "FastMem=-F 8\r\nChipMem=-c 4\r\nSlowMem=-s 4\r\n";
    for (char chDrive = '0'; chDrive <= '9'; chDrive++)
        profile += std::string("DH") + chDrive + "Path=\r\n";
    for (char chDrive = '0'; chDrive <= '3'; chDrive++)
        profile += std::string("DF") + chDrive + "Path=\r\n";
    profile += "Joystick=\r\n"
               "SoundEmulation=-S 2\r\nSoundBits=-b 8\r\nSoundFreq=-R 22050\r\nSoundBuffer=-B 8192\r\n"
               "Keyboard=-L US\r\n"
               "Debugger=\r\nIllegalInstructions=\r\nAccuracy=-A 3\r\nSystemClock=\r\n32BitBlits=\r\nImmediateBlits=\r\n"
               "DosCommandLine=-G?-r ?-O 800:600:dxy?-W?-f 1?-F 8?-c 4?-s 4?-S 2?-b 8?-R 22050?-B 8192?-L US?-A 3\r\n";
    return profile;
}
