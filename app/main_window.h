#pragma once
// The main window: the form built from kMainForm, with its two events bound to
// the drive routines.
#include "app/main_window_description.h"
#include "drives/drive_window.h"
#include "toolkit/form.h"

namespace voranel {

class MainWindow final : public DriveWindow, private win32::FormEvents {
 public:
  explicit MainWindow(SystemFunctionTable& system) : system_(system), form_(kMainForm, *this) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window hidden; false when it or a control cannot be created.
  bool Build() { return form_.Build(); }
  // Runs FillDriveLists, then shows the window.
  void Open() { form_.Open(); }
  win32::Form& form() { return form_; }

  CheckList& 卷名() override { return form_.List(k卷名); }
  CheckList& 当前() override { return form_.List(k当前); }
  CheckList& 修改为() override { return form_.List(k修改为); }
  void Set标签5(const std::string& text) override { form_.SetText(k标签5, text); }
  WindowHandle NativeHandle() override { return form_.handle(); }
  void SetWaiting(bool waiting) override { form_.SetWaiting(waiting); }

 private:
  void Created() override { FillDriveLists(system_, *this); }
  void Clicked(int controlId) override {
    if (controlId == k按钮1) ChangeDriveLetter(system_, *this);
  }

  SystemFunctionTable& system_;
  win32::Form form_;
};

}  // namespace voranel
