#pragma once
// The about box: the program's icon, name and version, a credit line, links
// that write the Startup shortcut and open folders, a web address and a mail
// address, the Windows version and the free physical memory. Every text is
// worked out once, when the window is made; any key closes it.
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "base/WideText.h"
#include "info/AnyKeyClose.h"

class TInfoForm : public TForm {
public:
  explicit TInfoForm(TApplication& app);
  ~TInfoForm() override;

  std::unique_ptr<TPanel> PnlBack;
  std::unique_ptr<TImage> AppIcon;
  std::unique_ptr<TLabel> LblExeName;
  std::unique_ptr<TLabel> lblComment;
  std::unique_ptr<TLabel> LblOsVersion;
  std::unique_ptr<TLabel> LblMemPhys;
  std::unique_ptr<TLabel> LblExeVersion;
  std::unique_ptr<TLabel> lblURL;
  std::unique_ptr<TLabel> lblMail;
  std::unique_ptr<TLabel> LblLaunchOnStartup;
  std::unique_ptr<TLabel> LblOpenStartup;
  std::unique_ptr<TLabel> LblLaunchOnDesktop;
  std::unique_ptr<TLabel> LblOpenFolderIn;

  void LblExeNameClick(TLabel& sender);
  void lblURLClick(TLabel& sender);
  void lblMailClick(TLabel& sender);
  void LblLaunchOnStartupClick(TLabel& sender);
  void LblOpenStartupClick(TLabel& sender);

protected:
  void FormCreate();
  void FormKeyDown(WPARAM key) override;
  void FormKeyUp(WPARAM key) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void CreateControls();
  // The theme's colours, again whenever the user changes the theme.
  void ApplyColours();
  void SizeToContents();
  void CenterInWorkArea();
  HWND LaunchOwner() const;

  TApplication& FApp;
  // The executable's path as shown (ANSI) and as the file is reached (UTF-16).
  const std::string FExePath;
  const TWideText FExeFile;
  TAnyKeyClose FCloseKeys;
};

// Shows a freshly made information window modally and destroys it afterwards.
void ShowInfo(TApplication& app);
