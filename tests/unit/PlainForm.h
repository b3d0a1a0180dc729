#pragma once
// A bare form titled "plain", for tests of what every form does.
#include "framework/Form.h"

class TPlainForm : public TForm {
public:
  explicit TPlainForm(const TFormContext& context) : TForm(context) {
    TWindowParams params;
    params.ClassName = "TSweeperPlainTestForm";
    params.Title = "plain";
    params.Style = WS_OVERLAPPEDWINDOW;
    CreateForm(params);
  }
  ~TPlainForm() override { DestroyHandle(); }
};
