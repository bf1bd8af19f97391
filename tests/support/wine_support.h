// Helpers for the Win32 tests that run in-process under Wine: a freshly
// started program with its real main window, the one driver of the
// program's modal dialogs, boxes and menu, and small file and text helpers.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Back to a freshly started program: initial state, this executable as the
// instance, its directory as the program directory, an empty seam log, no
// options file beside it.
void resetProgramForTest();

// The real main window, created as the program creates it; destroyed with
// its own destroy handling (the quit message it posts is taken away).
HWND createMainWindowForTest();
void destroyMainWindowForTest(HWND window);

// The fixture of every test of the running program: a fresh start with the
// real main window (and no options file), destroyed afterwards.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { close(); }
    // The program ended as by Exit (its window destroyed, the options saved)
    // and started again: state as at start (then `beforeCreation` may set
    // what the command line would), the files beside it as they are.
    void close();
    void open(const std::function<void()>& beforeCreation = {});
    void restart()
    {
        close();
        open();
    }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void command(UINT id) { send(WM_COMMAND, id); }
    HWND window = nullptr;
};

// Dispatches this thread's messages for `milliseconds`.
void pumpMessages(DWORD milliseconds);
// Takes a waiting quit message away; true if there was one.
bool takeQuitMessage();

// The one driver of the program's dialogs, message boxes and popup menu, as a
// user would work them: while the test thread sits in the modal loop, a
// second thread waits for a visible top-level window of this process titled
// `caption` (or of class "#32768", the popup menu) and runs `script` on each
// one that shows. A window the script leaves open for two seconds is
// cancelled, so that a fault never keeps the test thread for ever.
class ModalDriver {
public:
    using Script = std::function<void(HWND found)>;
    explicit ModalDriver(const char* caption, Script script);
    ~ModalDriver() { finish(); }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Stops waiting and joins, keeping this thread's sent messages flowing.
    void finish();
    int timesFound() const { return times_; }
    bool found() const { return times_ > 0; }
    bool leftOpen() const { return leftOpen_; }

private:
    void run();
    std::string caption_;
    Script script_;
    std::atomic<bool> stop_{false};
    std::atomic<int> times_{0};
    std::atomic<bool> leftOpen_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// A script that presses `id` (IDOK, IDCANCEL or any other button), keeping
// the text of a message box first when asked.
ModalDriver::Script pressing(int id, std::string* boxText = nullptr);

// Script steps: each waits for the dialog's thread (with a bound).
std::string fieldText(HWND dialog, int id); // 0xFFFF: a message box's text
void setField(HWND dialog, int id, const char* text);
void clickButton(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
// The arrow key pressed and released in an edit whose up-down reacts to it.
void pressArrow(HWND dialog, int editId, bool up);
// The window that has the mouse captured in `window`'s thread, and the
// cursor shown now, whichever thread set it.
HWND captureOf(HWND window);
HCURSOR shownCursor();
// The pointer moved to a screen point, once the move has held (Wine moves it
// asynchronously: an earlier move's pointer event can put it back).
void pointerTo(POINT p);

// A visible top-level window of this process with the given title, or null.
// Safe from any thread: it never waits for the thread that owns the window.
HWND findOwnWindow(const char* caption);

// The directory of the test executable, with a trailing backslash.
std::string testDirectory();
// A fresh empty directory under the system's temp directory, with a
// trailing backslash; and a directory removed with everything in it.
std::string makeTempDirectory(const char* prefix);
void removeTree(const std::string& path);
std::string readWholeFile(const std::string& path);

// Code page 932 text of a wide literal, so that expectations do not depend
// on the compiler's execution character set.
std::string cp932(const wchar_t* text);
// How often `line` (a whole line) stands in a text of lines.
int countLines(const std::string& text, const std::string& line);
