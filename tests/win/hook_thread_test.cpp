// The palette window with the real hook library beside the test executable:
// typing never waits for the palette's own thread.
#include "application.h"
#include "main_form.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using namespace tamga;

namespace {

// A program the user types in: a frame with a focused edit, on a thread of
// its own so it reads its keys while the test thread is held busy.
class Editor {
public:
    Editor() {
        thread_ = std::thread([this] { run(); });
        while (!edit_.load()) Sleep(1);
    }
    ~Editor() {
        PostMessageW(frame_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND frame() const { return frame_; }
    HWND edit() const { return edit_.load(); }
    std::wstring text() const {
        wchar_t buffer[64] = {};
        SendMessageW(edit(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }

private:
    void run() {
        frame_ = CreateWindowExW(0, L"STATIC", L"Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
        HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 280, 40, frame_, nullptr, nullptr,
                                    nullptr);
        SetForegroundWindow(frame_);
        SetFocus(edit);
        edit_ = edit;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_CLOSE && msg.hwnd == frame_) break;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        DestroyWindow(frame_);
    }

    HWND frame_ = nullptr;
    std::atomic<HWND> edit_{nullptr};
    std::thread thread_;
};

bool holds_keyboard(const Editor& editor) {
    GUITHREADINFO info{sizeof info};
    return GetForegroundWindow() == editor.frame() &&
           GetGUIThreadInfo(GetWindowThreadProcessId(editor.frame(), nullptr), &info) && info.hwndFocus == editor.edit();
}

void press(WORD key) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace

// The system passes every key through the program's keyboard hook and waits
// for it. Held busy for less than the time the system waits on a hook, the
// palette's thread would hold the key until it came back.
TEST(HookThread, AKeyTypedWhileThePaletteIsBusyPassesTheHookAtOnce) {
    TApplication app(L"Tamgalik");
    TForm1 form(app);
    Editor editor;
    for (int look = 0; look < 500 && !holds_keyboard(editor); ++look) Sleep(10);
    ASSERT_TRUE(holds_keyboard(editor));

    const UniqueKernelHandle arrived(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread typist([&] {
        press('A');
        for (int look = 0; look < 500 && editor.text().empty(); ++look) Sleep(2);
        if (!editor.text().empty()) SetEvent(arrived.get());
    });
    // Busy: the palette's thread reads none of its messages meanwhile.
    const bool while_busy = WaitForSingleObject(arrived.get(), 1500) == WAIT_OBJECT_0;
    typist.join();
    EXPECT_TRUE(while_busy) << "the key waited for the palette's thread";
    EXPECT_EQ(editor.text(), L"a");
}

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
