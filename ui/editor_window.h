// The editor window: nine rows of captions and boxes, the backup warning and the menu bar. It owns
// the engine and gives it the boxes and message boxes.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "core/editor_engine.h"
#include "core/run_time_error.h"
#include "ui/relaunch.h"
#include "ui/unique_gdi.h"
#include "ui/variant.h"

namespace tallyvane {

class EditorWindow : public FieldAccess, public MessageBoxService {
 public:
  EditorWindow(HINSTANCE instance, const VariantSettings& settings);
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;
  // No message may reach the window once this object is gone (the top-level report, shown after
  // it, runs a message loop of its own).
  ~EditorWindow();

  // Creates the window (running Form_Load, which takes the hand-over of a relaunch if the command
  // line `arguments` holds one) and shows it, then opens what they name, if the editor takes
  // paths; false if Windows refused to create the window.
  bool Create(int showCommand, const wchar_t* arguments);

  // An error that no event handled, to be reported at the top level once the loop ends.
  std::exception_ptr failure() const { return failure_; }

  HWND handle() const { return window_; }
  EditorEngine& engine() { return engine_; }

  // Tells the user what went wrong and, where a box is at fault, puts the focus there. Where only
  // an administrator may write the file, offers to start again as administrator, unless this
  // program was started so.
  void ReportError(const RunTimeError& error);

  std::string GetFieldText(int field) const override;
  void SetFieldText(int field, const std::string& text) override;
  void ShowMessage(const std::string& text, const std::string& title) override;
  bool Ask(const std::string& text, const std::string& title, Answer byDefault) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void Form_Load();
  void save_Click();
  void exit_Click();
  void OnCommand(int id);
  void TakeHandOver(const HandOver& handOver);
  void OpenArguments();
  void OpenDropped(HDROP drop);
  // Runs a user's action; a RunTimeError is reported and the program runs on.
  template <typename Action>
  void Guarded(Action action);

  void CreateControls(int dpi);
  void LayOut(int dpi);  // after a DPI change
  void SetIcons(int dpi);
  HWND Box(int field) const;

  HINSTANCE instance_;
  const VariantSettings& settings_;
  EditorEngine engine_;
  HWND window_ = nullptr;
  std::array<HWND, kFieldCount> boxes_{};
  HWND lastFocus_ = nullptr;  // restored when the window is activated again
  UniqueFont font_;
  UniqueIcon smallIcon_, bigIcon_;
  std::optional<HandOver> handOver_;    // what a relaunch as administrator brought
  std::vector<std::string> arguments_;  // opened once the window is shown
  std::exception_ptr failure_;
};

}  // namespace tallyvane
