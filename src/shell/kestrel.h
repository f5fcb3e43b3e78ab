// The main window, Kestrel: the four switches, the host icon, the log box,
// the menus and the tray icon. It stays hidden until the user opens it from
// the tray. Its window procedure only routes: menu commands go through a
// command table and other messages through a message table, so the hotkeys
// and further windows plug in without changes here.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "clipboard/clipboard.h"
#include "clipboard/clipboard_listener.h"
#include "clipboard/clipboard_watch.h"
#include "clipboard/host_format_state.h"
#include "clipboard/watch_window.h"
#include "host/task_list.h"
#include "shell/command_table.h"
#include "shell/layout.h"
#include "shell/log_box_control.h"
#include "shell/nesting_worker.h"
#include "shell/picture.h"
#include "shell/resource.h"
#include "shell/tray_icon.h"
#include "settings/switches.h"
#include "win32/handles.h"

namespace tabwright {

class Kestrel : public WatchWindow {
public:
    static constexpr wchar_t kClassName[] = L"Kestrel";
    static constexpr wchar_t kCaption[] = L"Tabwright";
    static constexpr UINT kTrayCallback = WM_TABWRIGHT_TRAY;
    static constexpr UINT kTrayIconId = 1;
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kTimer1Interval = 250;
    static constexpr UINT_PTR kLogFillTimer = 2;
    static constexpr UINT_PTR kTraceFillTimer = 3;
    // How long Quit waits for the shell to take the tray icon away.
    static constexpr DWORD kQuitWaitMs = 500;

    using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;
    using SwitchHandler = std::function<void(Switch which, bool on)>;

    explicit Kestrel(HINSTANCE instance);
    Kestrel(const Kestrel&) = delete;
    Kestrel& operator=(const Kestrel&) = delete;

    // Creates the window hidden and runs the start-up (Form_Load). False when
    // the window cannot be created.
    bool Create();

    HWND Handle() const { return window_.get(); }
    CommandTable& Commands() { return commands_; }
    // Whether the clipboard carried C/SIDE's format at its last enumeration;
    // every CClipboard of the program writes it.
    HostFormatState& HostFormat() { return hostFormat_; }
    // Answers a window message other than a menu command.
    void On(UINT message, MessageHandler handler) { messages_[message] = std::move(handler); }
    // Told each time a switch is set, by the user or at start-up.
    void OnSwitch(SwitchHandler handler) { onSwitch_ = std::move(handler); }

    // A switch's live value: the state of its check box. The clipboard
    // watch reads Check1, Check2 and Check4, writes the log box and Image1,
    // and formats on the window's own formatter state, on the worker's
    // thread: operator spacing as Check3 stands when the run starts, the
    // labels of the rules that fired into the trace list Combo1 at its end.
    bool Checked(Switch which) const override;
    void StartNesting(std::u16string text) override;
    void ShowHostIcon(HICON icon) override;
    void ClearHostIcon() override;

    // The log box Text1.
    void ShowLog(std::u16string_view text) override;
    std::u16string LogText() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls();
    void ApplyLayout();
    void RegisterCommands();
    void ShowTaskbarButton(bool show);

    WindowState CurrentState() const;

    void Form_Load();
    void Form_Resize(WindowState state);
    void Form_MouseMove(UINT code);
    void Form_QueryUnload();
    void Form_Terminate();
    void Check_Click(Switch which);
    void TrayItem_Click(Switch which);
    void SetSwitch(Switch which, bool on);
    void OpenProgram_Click();
    void QuitProgram_Click();
    void Reboot_Click();
    void Timer1_Timer();
    void Nesting_Done();
    // Shows the window restored and in front, with its task-bar button when
    // asked; a button it has stays.
    void ShowInFront(bool taskbarButton);

    int Dpi() const;
    int Px(int twips) const { return TwipsToPixels(twips, Dpi()); }
    HWND Control(int id) const { return GetDlgItem(window_.get(), id); }
    void PlaceControl(int id, const TwipRect& place);

    // Members go in the order they may be freed, last first: the tray icon
    // leaves before the window, the window goes before everything its last
    // messages still use, and its fonts and icons go after it.
    HINSTANCE instance_;
    win32::UniqueIcon icon_;
    win32::UniqueIcon smallIcon_;
    win32::UniqueFont font_;
    win32::UniqueFont logFont_;
    win32::UniqueMenu trayMenus_;
    HMENU trayMenu_ = nullptr;  // the first pop-up of trayMenus_
    HMENU menuBar_ = nullptr;   // the window's own, freed with it
    CommandTable commands_;
    std::unordered_map<UINT, MessageHandler> messages_;
    SwitchHandler onSwitch_;

    // Kept for the whole run: the host-format state every enumeration of the
    // clipboard writes, the clipboard, the C/SIDE windows, the watch and its
    // clipboard listener.
    HostFormatState hostFormat_;
    std::unique_ptr<CTaskList> TaskList;
    std::unique_ptr<CClipboard> Clip;
    std::unique_ptr<ClipboardWatch> watch_;
    std::unique_ptr<ClipboardListener> listener_;
    std::unique_ptr<NestingWorker> worker_;
    std::unique_ptr<LogBoxControl> logBox_;
    std::unique_ptr<TraceListControl> traceList_;
    Picture image1Picture_;
    HICON image1Source_ = nullptr;

    WindowState lastWindowState_ = WindowState::Minimized;
    bool trayBusy_ = false;

    win32::UniqueWindow owner_;  // hidden owner: keeps the window off the task bar
    win32::UniqueWindow window_;
    std::unique_ptr<TrayIcon> tray_;
};

}  // namespace tabwright
