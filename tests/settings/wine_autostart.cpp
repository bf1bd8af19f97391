// noctil.ini beside the program: what armAutoStart arms, the command-line
// start hour that skips it, and the settings dialog 129 driven as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/autostart.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"

namespace {

const char kAutoStartCaption[] = "自動スタートの設定";

// A network auto-start may have started the ping thread: let it end before
// the state it reads is reset.
void stopPingThread()
{
    g_app.pingStop = 1;
    const DWORD start = GetTickCount();
    while (g_app.pingIdle == 0 && GetTickCount() - start < 10000)
        Sleep(50);
}

class AutoStartTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        resetProgramForTest();
        path = testDirectory() + "noctil.ini";
        removeIni();
        MainWindowTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        stopPingThread();
        removeIni();
    }

    // The profile functions cache files; drop the cache around every direct
    // access so reads and writes see the file itself.
    void flushProfileCache() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

    void removeIni()
    {
        flushProfileCache();
        DeleteFileA(path.c_str());
    }

    void writeIni(const std::string& text)
    {
        flushProfileCache();
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, file) << path;
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    std::string readIni()
    {
        flushProfileCache();
        std::string text;
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr)
            return "(no file)";
        char buffer[512];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        std::fclose(file);
        return text;
    }

    // Opens dialog 129 on this thread; `script` drives it from the other.
    void autoStartDialog(ModalDriver::Script script, HWND owner = nullptr)
    {
        ModalDriver driver(kAutoStartCaption, std::move(script));
        runAutoStartDialog(owner);
        driver.finish();
        EXPECT_TRUE(driver.found()) << "dialog 129 did not show, GetLastError " << GetLastError();
        EXPECT_FALSE(driver.leftOpen()) << "the script did not end dialog 129";
    }

    std::string path;
};

int32_t remainingMs()
{
    return static_cast<int32_t>(g_app.countdownDeadline - GetTickCount());
}

TEST_F(AutoStartTest, ArmsWhatTheFileNames)
{
    enum Armed { Nothing, Clock, CountdownArmed, NetworkHost };
    struct Case {
        const char* ini; // null: no file at all
        Armed armed;
        int64_t seconds = 0;
        int hour = 0, minute = 0;
        const char* host = "";
    } cases[] = {
        // What the file says is decided natively; here each kind reaches
        // its arming, and a file that arms nothing leaves all alone.
        {nullptr, Nothing},
        {"[AUTO]\r\nSEL=C\r\nCOUNT=90\r\n", CountdownArmed, 5400},
        {"[AUTO]\r\nSEL=C\r\nCOUNT=0\r\n", Nothing},
        {"[AUTO]\r\nSEL=Time\r\nTIME_H=23\r\nTIME_M=59\r\n", Clock, 0, 23, 59},
        {"[AUTO]\r\nSEL=N\r\nHOST=127.0.0.2\r\n", NetworkHost, 0, 0, 0, "127.0.0.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "(no file)");
        resetProgramForTest();
        std::snprintf(g_app.options.hostName, sizeof g_app.options.hostName, "previous");
        if (c.ini != nullptr)
            writeIni(c.ini);
        else
            removeIni();

        armAutoStart();

        switch (c.armed) {
        case Nothing:
            EXPECT_EQ(0, g_app.running);
            EXPECT_EQ(0, g_app.monitorActive);
            EXPECT_STREQ("previous", g_app.options.hostName);
            break;
        case Clock: {
            EXPECT_EQ(1, g_app.running);
            EXPECT_EQ(0, g_app.monitorActive);
            SYSTEMTIME target = {};
            ASSERT_TRUE(FileTimeToSystemTime(&g_app.targetTime, &target)) << GetLastError();
            EXPECT_EQ(c.hour, target.wHour);
            EXPECT_EQ(c.minute, target.wMinute);
            EXPECT_EQ(0, target.wSecond);
            break;
        }
        case CountdownArmed:
            EXPECT_EQ(1, g_app.running);
            EXPECT_EQ(1, g_app.monitorActive);
            EXPECT_EQ(Countdown, g_app.monitorMode);
            EXPECT_NEAR(c.seconds * 1000, remainingMs(), 2000);
            break;
        case NetworkHost:
            EXPECT_STREQ(c.host, g_app.options.hostName);
            EXPECT_NE(Countdown, g_app.monitorMode) << "only the network watch is armed";
            break;
        }
        stopPingThread();
    }
}

TEST_F(AutoStartTest, LongHostIsCutAt254Characters)
{
    writeIni("[AUTO]\r\nSEL=N\r\nHOST=" + std::string(400, 'h') + "\r\n");
    armAutoStart();
    EXPECT_EQ(std::string(254, 'h'), g_app.options.hostName);
    stopPingThread();
}

TEST_F(AutoStartTest, StartHourOnTheCommandLineSkipsTheFile)
{
    writeIni("[AUTO]\r\nSEL=C\r\nCOUNT=90\r\n");
    struct Case { int startHour; bool countdown; } cases[] = {
        {9, false}, {0, false}, {-1, true}, {24, true},
    };
    for (const Case& c : cases) {
        close();
        open([&c] { g_app.startHour = c.startHour; });
        EXPECT_EQ(1, g_app.running) << "start hour " << c.startHour;
        EXPECT_EQ(c.countdown ? 1 : 0, g_app.monitorActive) << "start hour " << c.startHour;
        if (c.countdown) {
            EXPECT_EQ(Countdown, g_app.monitorMode);
            EXPECT_NEAR(5400000, remainingMs(), 2000);
        } else {
            SYSTEMTIME target = {};
            FileTimeToSystemTime(&g_app.targetTime, &target);
            EXPECT_EQ(c.startHour, target.wHour);
            EXPECT_EQ(0, target.wMinute);
        }
    }
}

struct Shown {
    bool none = false, time = false, countdown = false, network = false;
    std::string host, cdHours, cdMinutes, hour, minute;
};

Shown readDialog(HWND dialog)
{
    Shown s;
    s.none = isChecked(dialog, IDC_AUTO_NONE);
    s.time = isChecked(dialog, IDC_AUTO_TIME);
    s.countdown = isChecked(dialog, IDC_AUTO_COUNTDOWN);
    s.network = isChecked(dialog, IDC_AUTO_NETWORK);
    s.host = fieldText(dialog, IDC_AUTO_HOST);
    s.cdHours = fieldText(dialog, IDC_AUTO_CD_HOURS);
    s.cdMinutes = fieldText(dialog, IDC_AUTO_CD_MINUTES);
    s.hour = fieldText(dialog, IDC_AUTO_HOUR);
    s.minute = fieldText(dialog, IDC_AUTO_MINUTE);
    return s;
}

TEST_F(AutoStartTest, DialogWithoutFileShowsDefaultsAndCancelWritesNothing)
{
    Shown shown;
    autoStartDialog([&](HWND dialog) {
        shown = readDialog(dialog);
        setField(dialog, IDC_AUTO_HOST, "changed");
        clickButton(dialog, IDC_AUTO_COUNTDOWN);
        clickButton(dialog, IDCANCEL);
    }, window);
    EXPECT_TRUE(shown.none);
    EXPECT_FALSE(shown.time || shown.countdown || shown.network);
    EXPECT_EQ("localhost", shown.host);
    EXPECT_EQ("5", shown.cdHours);
    EXPECT_EQ("0", shown.cdMinutes);
    EXPECT_EQ("7", shown.hour);
    EXPECT_EQ("55", shown.minute);
    EXPECT_EQ("(no file)", readIni());
    EXPECT_EQ(0, g_app.running) << "the dialog arms nothing";
}

TEST_F(AutoStartTest, DialogChecksTheRadioButtonOfSel)
{
    struct Case { const char* sel; int radio; } cases[] = {
        {"T", IDC_AUTO_TIME}, {"C", IDC_AUTO_COUNTDOWN}, {"N", IDC_AUTO_NETWORK},
        {"Night", IDC_AUTO_NETWORK}, {"t", IDC_AUTO_NONE}, {"0", IDC_AUTO_NONE}, {"", IDC_AUTO_NONE},
    };
    const int radios[] = {IDC_AUTO_TIME, IDC_AUTO_COUNTDOWN, IDC_AUTO_NETWORK, IDC_AUTO_NONE};
    for (const Case& c : cases) {
        writeIni(std::string("[AUTO]\r\nSEL=") + c.sel + "\r\n");
        int checked = 0, count = 0;
        autoStartDialog([&](HWND dialog) {
            for (int radio : radios) {
                if (isChecked(dialog, radio)) {
                    checked = radio;
                    ++count;
                }
            }
            clickButton(dialog, IDCANCEL);
        });
        EXPECT_EQ(c.radio, checked) << "SEL [" << c.sel << "]";
        EXPECT_EQ(1, count) << "SEL [" << c.sel << "]";
    }
}

TEST_F(AutoStartTest, DialogShowsCount125AsTwoHoursFiveAndWritesItBack)
{
    writeIni("[AUTO]\r\nSEL=C\r\nCOUNT=125\r\n");
    Shown shown;
    autoStartDialog([&](HWND dialog) {
        shown = readDialog(dialog);
        clickButton(dialog, IDOK);
    });
    EXPECT_TRUE(shown.countdown);
    EXPECT_EQ("2", shown.cdHours);
    EXPECT_EQ("5", shown.cdMinutes);
    // SEL and COUNT are rewritten in place; the others follow in write order.
    EXPECT_EQ("[AUTO]\r\nSEL=C\r\nCOUNT=125\r\nHOST=localhost\r\nTIME_M=55\r\nTIME_H=7\r\n", readIni());
}

TEST_F(AutoStartTest, DialogWritesTheFiveKeysInOrder)
{
    autoStartDialog([&](HWND dialog) {
        clickButton(dialog, IDC_AUTO_NETWORK);
        setField(dialog, IDC_AUTO_HOST, "127.0.0.3");
        setField(dialog, IDC_AUTO_CD_HOURS, "1");
        setField(dialog, IDC_AUTO_CD_MINUTES, "30");
        setField(dialog, IDC_AUTO_HOUR, "6");
        setField(dialog, IDC_AUTO_MINUTE, "5");
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ("[AUTO]\r\nSEL=N\r\nHOST=127.0.0.3\r\nCOUNT=90\r\nTIME_M=5\r\nTIME_H=6\r\n", readIni());

    // What the dialog wrote is what the next start arms.
    armAutoStart();
    EXPECT_STREQ("127.0.0.3", g_app.options.hostName);
    stopPingThread();
}

TEST_F(AutoStartTest, DialogSpinnersCountUpAndStopAtTheirEnds)
{
    writeIni("[AUTO]\r\nSEL=T\r\nCOUNT=5999\r\nTIME_H=23\r\nTIME_M=59\r\n");
    Shown before, after;
    autoStartDialog([&](HWND dialog) {
        before = readDialog(dialog);
        pressArrow(dialog, IDC_AUTO_HOUR, true);       // 23 stays 23
        pressArrow(dialog, IDC_AUTO_MINUTE, true);     // 59 stays 59
        pressArrow(dialog, IDC_AUTO_CD_HOURS, true);   // 99 stays 99
        pressArrow(dialog, IDC_AUTO_CD_MINUTES, true); // 59 -> 60 (range 0..99)
        pressArrow(dialog, IDC_AUTO_CD_MINUTES, true); // -> 61
        after = readDialog(dialog);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ("99", before.cdHours);
    EXPECT_EQ("59", before.cdMinutes);
    EXPECT_EQ("23", after.hour);
    EXPECT_EQ("59", after.minute);
    EXPECT_EQ("99", after.cdHours);
    EXPECT_EQ("61", after.cdMinutes);
    EXPECT_EQ("[AUTO]\r\nSEL=T\r\nCOUNT=6001\r\nTIME_H=23\r\nTIME_M=59\r\nHOST=localhost\r\n", readIni());

    writeIni("[AUTO]\r\nCOUNT=0\r\nTIME_H=0\r\nTIME_M=0\r\n");
    autoStartDialog([&](HWND dialog) {
        pressArrow(dialog, IDC_AUTO_HOUR, false);      // 0 stays 0
        pressArrow(dialog, IDC_AUTO_MINUTE, false);    // 0 stays 0, no wrap
        pressArrow(dialog, IDC_AUTO_CD_MINUTES, false);
        pressArrow(dialog, IDC_AUTO_HOUR, true);
        pressArrow(dialog, IDC_AUTO_HOUR, true);
        after = readDialog(dialog);
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ("2", after.hour);
    EXPECT_EQ("0", after.minute);
    EXPECT_EQ("0", after.cdMinutes);
}

TEST_F(AutoStartTest, DialogEntriesThatArmNothingAtTheNextStart)
{
    struct Case { int radio; const char* cdHours; const char* cdMinutes; const char* hour; const char* minute; } cases[] = {
        {IDC_AUTO_COUNTDOWN, "0", "0", "7", "55"},
        {IDC_AUTO_COUNTDOWN, "", "", "7", "55"},
        {IDC_AUTO_TIME, "5", "0", "24", "0"},
        {IDC_AUTO_TIME, "5", "0", "7", "60"},
        {IDC_AUTO_NONE, "5", "0", "7", "55"},
    };
    for (const Case& c : cases) {
        removeIni();
        autoStartDialog([&](HWND dialog) {
            clickButton(dialog, c.radio);
            setField(dialog, IDC_AUTO_CD_HOURS, c.cdHours);
            setField(dialog, IDC_AUTO_CD_MINUTES, c.cdMinutes);
            setField(dialog, IDC_AUTO_HOUR, c.hour);
            setField(dialog, IDC_AUTO_MINUTE, c.minute);
            clickButton(dialog, IDOK);
        });
        resetProgramForTest();
        armAutoStart();
        EXPECT_EQ(0, g_app.running) << readIni();
    }
}

} // namespace
