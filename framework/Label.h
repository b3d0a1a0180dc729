#pragma once
// A transparent text label that sizes itself to its text and font, with its
// own colour, cursor and click event. The click event fires on a press and a
// release of the left button on the visible label, as a button's would.
#include <functional>
#include <string>

#include "framework/Control.h"
#include "framework/Font.h"

class TLabel : public TControl {
public:
  // The bounds place the label; its size is its text's (AutoSize).
  TLabel(HWND parent, const RECT& bounds, const std::string& caption, bool visible = true);
  ~TLabel() override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  void SetFont(const TFontDescription& description);
  void SetColor(COLORREF color);
  void SetHandCursor(bool hand) { FHandCursor = hand; }
  void SetCentredVertically(bool centred) { FCentredVertically = centred; }

  // Makes the label exactly as large as its text in its font.
  void AutoSize();

  std::function<void(TLabel& sender)> OnClick;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint();
  void DrawCaption(HDC dc, RECT& area, UINT format) const;
  bool Showing() const;
  void ButtonDown();
  // Ends a press; true when it was a click on this label.
  bool ButtonUpClicks(LPARAM at);

  TOwnedGdiObject FFont;
  COLORREF FColor;
  bool FHandCursor = false;
  bool FCentredVertically = false;
  bool FPressed = false;  // pressed here, the mouse captured since
};
