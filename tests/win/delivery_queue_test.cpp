// The delivery queue in-process, against target windows on a thread of their
// own that take their time or do not answer: letters arrive one at a time in
// click order, and the test thread's own messages are handled meanwhile.
#include "delivery_queue.h"
#include "target_window.h"
#include "handles.h"
#include "message_pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using namespace tamga;
using namespace tamga::testing;

namespace {

// A window on its own thread that declares itself an edit control, records
// each WM_UNICHAR and sleeps a given time on it; the first letter may sleep
// longer than the rest.
class SlowTarget {
public:
    SlowTarget(DWORD first_sleep_ms, DWORD sleep_ms) : first_sleep_ms_(first_sleep_ms), sleep_ms_(sleep_ms) {
        thread_ = std::thread([this] { run(); });
        while (!window_.load()) Sleep(1);
    }
    ~SlowTarget() {
        PostMessageW(window_.load(), WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND hwnd() const { return window_.load(); }
    std::vector<WPARAM> received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    int most_at_once() const { return most_at_once_.load(); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<SlowTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_UNICHAR && self) {
            const int now = ++self->in_flight_;
            if (now > self->most_at_once_) self->most_at_once_ = now;
            bool first;
            {
                std::lock_guard lock(self->mutex_);
                first = self->received_.empty();
                self->received_.push_back(wparam);
            }
            Sleep(first ? self->first_sleep_ms_ : self->sleep_ms_);
            --self->in_flight_;
            return TRUE;
        }
        if (message == WM_GETDLGCODE) return DLGC_HASSETSEL | DLGC_WANTCHARS;
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }

    void run() {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"SlowDeliveryTarget";
        RegisterClassW(&window_class);
        HWND window = CreateWindowExW(0, L"SlowDeliveryTarget", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }

    DWORD first_sleep_ms_, sleep_ms_;
    std::atomic<HWND> window_{nullptr};
    mutable std::mutex mutex_;
    std::vector<WPARAM> received_;
    std::atomic<int> in_flight_{0}, most_at_once_{0};
    std::thread thread_;
};

// Counts the test thread's posted messages that were handled.
class PostedMessages {
public:
    PostedMessages() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        SetWindowSubclass(window_.get(), &PostedMessages::procedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    ~PostedMessages() { RemoveWindowSubclass(window_.get(), &PostedMessages::procedure, 0); }
    void post() { PostMessageW(window_.get(), WM_APP + 7, 0, 0); }
    int handled() const { return handled_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR self) {
        if (message == WM_APP + 7) ++reinterpret_cast<PostedMessages*>(self)->handled_;
        return DefSubclassProc(window, message, wparam, lparam);
    }
    UniqueWindow window_;
    int handled_ = 0;
};

}  // namespace

TEST(DeliveryQueue, LettersArriveOneAtATimeInClickOrderWhileThePaletteAnswers) {
    SlowTarget target(400, 50);
    DeliveryQueue queue;
    PostedMessages posted;
    const std::vector<WPARAM> clicked{0x00C9, 0x011E, 0x0130, 0x014A, 0x00D6};
    for (WPARAM letter : clicked) queue.deliver(static_cast<std::uint32_t>(letter), target.hwnd(), false);

    // The first letter keeps the target busy; our own messages go on meanwhile.
    ASSERT_TRUE(pump_until([&] { return !target.received().empty(); }, 5s));
    posted.post();
    ASSERT_TRUE(pump_until([&] { return posted.handled() == 1; }, 300ms));
    EXPECT_EQ(target.received().size(), 1u);

    ASSERT_TRUE(pump_until([&] { return target.received().size() == clicked.size(); }, 10s));
    pump_for(200ms);
    EXPECT_EQ(target.received(), clicked);
    EXPECT_EQ(target.most_at_once(), 1);
}

TEST(DeliveryQueue, TargetThatDoesNotAnswerIsGivenUpAndTheLettersBehindAreDropped) {
    SlowTarget target(4000, 0);
    DeliveryQueue queue;
    PostedMessages posted;
    queue.deliver(0x00C9, target.hwnd(), false);
    queue.deliver(0x00E9, target.hwnd(), false);
    ASSERT_TRUE(pump_until([&] { return !target.received().empty(); }, 5s));

    const auto started = Clock::now();
    while (Clock::now() - started < 1500ms) {
        posted.post();
        const int before = posted.handled();
        ASSERT_TRUE(pump_until([&] { return posted.handled() > before; }, 300ms));
    }
    // After the target wakes, only the first letter ever reached it.
    ASSERT_TRUE(pump_until([&] { return target.most_at_once() == 1 && Clock::now() - started > 4000ms; }, 6s));
    pump_for(300ms);
    EXPECT_EQ(target.received(), (std::vector<WPARAM>{0x00C9}));

    // The queue goes on with the next click.
    queue.deliver(0x011F, target.hwnd(), false);
    ASSERT_TRUE(pump_until([&] { return target.received().size() == 2; }, 5s));
    EXPECT_EQ(target.received().back(), 0x011Fu);
}

namespace {

void register_class(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = name;
    RegisterClassW(&window_class);
}

HWND make(const wchar_t* window_class, HWND parent = nullptr, const wchar_t* title = L"") {
    return CreateWindowExW(0, window_class, title, parent ? WS_CHILD : WS_POPUP, 0, 0, 50, 50, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Windows of every kind on a thread of their own, as another program's.
class ForeignWindows {
public:
    ForeignWindows() {
        thread_ = std::thread([this] { run(); });
        while (!ready_.load()) Sleep(1);
    }
    ~ForeignWindows() {
        PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
        thread_.join();
    }
    HWND edit, superclassed_edit, rich_edit, declared_edit, canvas, document, frame;

private:
    // A control of a toolkit's own that takes edit messages and says so.
    static LRESULT CALLBACK declared_edit_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_GETDLGCODE) return DLGC_HASSETSEL | DLGC_WANTCHARS;
        return DefWindowProcW(window, message, wparam, lparam);
    }

    void run() {
        thread_id_ = GetCurrentThreadId();
        register_class(L"SomeToolkitCanvas", DefWindowProcW);
        register_class(L"SomeToolkitField", declared_edit_procedure);
        WNDCLASSW super{};
        GetClassInfoW(nullptr, L"EDIT", &super);
        super.hInstance = GetModuleHandleW(nullptr);
        super.lpszClassName = L"NoteEditorField";
        RegisterClassW(&super);
        LoadLibraryW(L"riched20.dll");
        edit = make(L"EDIT");
        superclassed_edit = make(L"NoteEditorField");
        rich_edit = make(L"RichEdit20W");
        declared_edit = make(L"SomeToolkitField");
        canvas = make(L"SomeToolkitCanvas");
        HWND word_frame = make(L"SomeToolkitCanvas");
        make(L"STATIC", word_frame, L" MSO Generic Control Container ");
        document = make(L"SomeToolkitCanvas", word_frame);
        frame = make(L"SomeToolkitCanvas");
        make(L"STATIC", frame, L"Toolbar");
        ready_ = true;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        for (HWND w : {word_frame, frame, edit, superclassed_edit, rich_edit, declared_edit, canvas}) DestroyWindow(w);
    }

    std::atomic<bool> ready_{false};
    DWORD thread_id_ = 0;
    std::thread thread_;
};

// A child of another thread's frame whose own thread sleeps: a program that
// does not answer.
class SleepingChild {
public:
    explicit SleepingChild(HWND frame) {
        thread_ = std::thread([this, frame] {
            window_ = make(L"SomeToolkitCanvas", frame);
            Sleep(3000);
            DestroyWindow(window_.load());
        });
        while (!window_.load()) Sleep(1);
    }
    ~SleepingChild() { thread_.join(); }
    HWND hwnd() const { return window_.load(); }

private:
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

}  // namespace

TEST(TargetKind, EditControlsByClassOrByTheirOwnAnswerEverythingElseTakesKeys) {
    ForeignWindows windows;
    EXPECT_EQ(target_kind(windows.edit), TargetKind::EditControl);
    EXPECT_EQ(target_kind(windows.superclassed_edit), TargetKind::EditControl);
    EXPECT_EQ(target_kind(windows.rich_edit), TargetKind::EditControl);
    EXPECT_EQ(target_kind(windows.declared_edit), TargetKind::EditControl);
    EXPECT_EQ(target_kind(windows.canvas), TargetKind::Other);
    EXPECT_EQ(target_kind(windows.document), TargetKind::WordDocument);
    EXPECT_EQ(target_kind(nullptr), TargetKind::Missing);

    // A program that does not answer is not waited on for long.
    SleepingChild sleeper(windows.frame);
    const auto asked = Clock::now();
    EXPECT_EQ(target_kind(sleeper.hwnd()), TargetKind::Other);
    EXPECT_LT(Clock::now() - asked, 1500ms);
}

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
