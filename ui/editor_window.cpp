#include "ui/editor_window.h"

#include <utility>

#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/session.h"
#include "platform/utf16.h"
#include "ui/dpi.h"
#include "ui/error_text.h"
#include "ui/resource_ids.h"
#include "ui/shell_paths.h"
#include "ui/window_layout.h"

namespace tallyvane {
namespace {

constexpr wchar_t kClassName[] = L"TallyvaneEditorWindow";
// Posted to itself once the window is shown: open what the command line names.
constexpr UINT kOpenArguments = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
// Room for any way of typing a day count (blanks, sign, fraction), and no more: a huge paste
// would only make the box slow.
constexpr WPARAM kBoxCharacterLimit = 255;
// Box captions reach into their boxes; clipping keeps them from painting over the boxes.
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX;

int ControlId(const ControlSpec& item) {
  return (item.kind == ControlKind::TextBox ? IDC_TEXT_BASE : IDC_LABEL_BASE) + item.number;
}

RECT PixelRect(const TwipRect& r, int dpi) {
  const int left = TwipsToPixels(r.left, dpi), top = TwipsToPixels(r.top, dpi);
  return {left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

}  // namespace

EditorWindow::EditorWindow(HINSTANCE instance, const VariantSettings& settings)
    : instance_(instance), settings_(settings), engine_(*this, *this) {}

EditorWindow::~EditorWindow() {
  if (window_ == nullptr) return;
  // Detached first, so that its destruction does not end the program once more (a quit message
  // would close the top-level report at once).
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

bool EditorWindow::Create(int showCommand, const wchar_t* arguments) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  handOver_ = ReadHandOver(arguments);
  HMENU menu = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_MENU));
  const bool opensPaths = settings_.openPath != nullptr;
  if (CreateWindowExW(opensPaths ? WS_EX_ACCEPTFILES : 0, kClassName,
                      platform::Widen(settings_.caption).c_str(), kWindowStyle, CW_USEDEFAULT,
                      CW_USEDEFAULT, 0, 0, nullptr, menu, instance_, this) == nullptr)
    return false;

  Form_Load();
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  if (opensPaths && !handOver_) {
    arguments_ = CommandLinePaths(arguments);
    if (!arguments_.empty()) PostMessageW(window_, kOpenArguments, 0, 0);
  }
  return true;
}

LRESULT CALLBACK EditorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // No exception may cross into Windows: keep it for the top-level report and end the loop.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    self->failure_ = std::current_exception();
    PostQuitMessage(1);
    return 0;
  }
}

LRESULT EditorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const int dpi = WindowDpi(window_);
      const SIZE size = OuterSize({TwipsToPixels(kClientWidthTwips, dpi),
                                   TwipsToPixels(settings_.geometry.clientHeightTwips, dpi)},
                                  kWindowStyle, dpi);
      MONITORINFO monitor{};
      monitor.cbSize = sizeof monitor;
      GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
      const RECT& work = monitor.rcWork;
      SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                   work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      CreateControls(dpi);
      SetIcons(dpi);
      return 0;
    }
    case WM_COMMAND:
      if (lParam == 0) OnCommand(LOWORD(wParam));
      return 0;
    case kOpenArguments:
      Guarded([&] { OpenArguments(); });
      return 0;
    case WM_DROPFILES:
      Guarded([&] { OpenDropped(reinterpret_cast<HDROP>(wParam)); });
      return 0;
    case WM_ACTIVATE:
      // Keep the focus in the same box when the user comes back to the window.
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus != nullptr && GetParent(focus) == window_)
          lastFocus_ = focus;
      } else {
        SetFocus(lastFocus_ != nullptr ? lastFocus_ : Box(1));
      }
      return 0;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LayOut(HIWORD(wParam));
      SetIcons(HIWORD(wParam));
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

// Controls are born in place with their font: under Wine every later move is a costly round trip.
void EditorWindow::CreateControls(int dpi) {
  font_ = MessageFont(dpi);
  for (const ControlSpec& item : EditorLayout(settings_.geometry.warningTopTwips)) {
    const bool box = item.kind == ControlKind::TextBox;
    const RECT r = PixelRect(item.rect, dpi);
    HWND control = CreateWindowExW(
        box ? WS_EX_CLIENTEDGE : 0, box ? L"EDIT" : L"STATIC",
        platform::Widen(item.caption).c_str(), box ? kBoxStyle : kLabelStyle, r.left, r.top,
        r.right - r.left, r.bottom - r.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(item))), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (box) {
      SendMessageW(control, EM_SETLIMITTEXT, kBoxCharacterLimit, 0);
      boxes_[static_cast<std::size_t>(item.number - 1)] = control;
    }
  }
}

void EditorWindow::LayOut(int dpi) {
  UniqueFont font = MessageFont(dpi);
  // Move everything without painting, then paint once.
  for (const ControlSpec& item : EditorLayout(settings_.geometry.warningTopTwips)) {
    HWND control = GetDlgItem(window_, ControlId(item));
    const RECT r = PixelRect(item.rect, dpi);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  font_ = std::move(font);  // the old font is deleted only now that no control uses it
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The title bar's and the taskbar's icons, drawn for this DPI from the sizes in the exe.
void EditorWindow::SetIcons(int dpi) {
  const auto load = [&](int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0)));
  };
  UniqueIcon small = load(MulDiv(16, dpi, 96)), big = load(MulDiv(32, dpi, 96));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  // The window no longer uses the old ones.
  smallIcon_ = std::move(small);
  bigIcon_ = std::move(big);
}

HWND EditorWindow::Box(int field) const {
  return boxes_.at(static_cast<std::size_t>(field - 1));
}

template <typename Action>
void EditorWindow::Guarded(Action action) {
  try {
    action();
  } catch (const RunTimeError& error) {
    ReportError(error);
  }
}

void EditorWindow::OnCommand(int id) {
  Guarded([&] {
    switch (id) {
      case IDM_OPEN:
        if (settings_.openClick != nullptr) settings_.openClick(*this);
        break;
      case IDM_SAVE:
        save_Click();
        break;
      case IDM_EXIT:
        exit_Click();
        break;
      default:
        break;
    }
  });
}

void EditorWindow::Form_Load() {
  engine_.InitEditorState();
  if (handOver_)
    Guarded([&] { TakeHandOver(*handOver_); });
  else if (settings_.startUp != nullptr)
    Guarded([&] { settings_.startUp(*this); });
}

// The file the first process loaded, and the boxes as they were typed there; nothing is saved.
void EditorWindow::TakeHandOver(const HandOver& handOver) {
  engine_.LoadDaysTableFrom(handOver.path);
  // Elevation starts the program in the system folder; the open dialog starts in the file's.
  platform::ChangeDirectory(platform::FolderFor(handOver.path));
  for (int field = 1; field <= kFieldCount; ++field)
    SetFieldText(field, handOver.texts[static_cast<std::size_t>(field - 1)]);
}

void EditorWindow::OpenArguments() {
  const std::vector<std::string> paths = std::exchange(arguments_, {});
  if (paths.size() > 1) {
    ShowMessage(
        "命令行中只能指定一个文件或文件夹，现在有 " + std::to_string(paths.size()) + " 个。",
        kErrorTitle);
    return;
  }
  settings_.openPath(*this, paths.front());
}

void EditorWindow::OpenDropped(HDROP drop) {
  const std::vector<std::string> paths = DroppedPaths(drop);
  if (paths.empty()) return;
  if (paths.size() > 1)
    ShowMessage("一次只能打开一个文件或文件夹，现在打开拖入的第一个：\n" + paths.front(),
                kNoticeTitle);
  settings_.openPath(*this, paths.front());
}

void EditorWindow::save_Click() {
  engine_.SaveDaysTable(settings_.guardMessage);
}

void EditorWindow::exit_Click() {
  platform::EndProcess(0);
}

void EditorWindow::ReportError(const RunTimeError& error) {
  const bool onlyAdministrators = error.operation() == Operation::Save &&
                                  error.refusal() == Refusal::AccessDenied && !handOver_;
  if (onlyAdministrators) {
    HandOver handOver{engine_.state().target, {}};
    for (int field = 1; field <= kFieldCount; ++field)
      handOver.texts[static_cast<std::size_t>(field - 1)] = GetFieldText(field);
    if (Ask(DescribeError(error) + kRelaunchQuestion, kErrorTitle, Answer::Yes) &&
        RelaunchAsAdministrator(window_, handOver))
      exit_Click();
    return;
  }
  ShowMessage(DescribeError(error), kErrorTitle);
  if (error.field() == 0) return;
  lastFocus_ = Box(error.field());
  SetFocus(lastFocus_);
  SendMessageW(lastFocus_, EM_SETSEL, 0, -1);
}

std::string EditorWindow::GetFieldText(int field) const {
  HWND box = Box(field);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return platform::Narrow(text);
}

void EditorWindow::SetFieldText(int field, const std::string& text) {
  SetWindowTextW(Box(field), platform::Widen(text).c_str());
}

void EditorWindow::ShowMessage(const std::string& text, const std::string& title) {
  platform::ShowMessageBox(window_, text, title);
}

bool EditorWindow::Ask(const std::string& text, const std::string& title, Answer byDefault) {
  return platform::AskYesNo(window_, text, title, byDefault == Answer::Yes);
}

}  // namespace tallyvane
