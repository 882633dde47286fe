#pragma once
// Registration of the control models with the description reader, so that
// windows are stored descriptions. Published properties, in declared order
// (base classes first), for every control:
//   Left, Top, Width, Height, Align, ParentFont, Font.Name, Font.Height,
//   Font.Size, Font.Style ([fsBold, fsItalic, fsUnderline, fsStrikeOut]),
//   Font.Color, ParentColor, Color, Caption / Text, Visible, Enabled, Hint,
//   ShowHint, Cursor, Tag, PopupMenu, Action, OnClick, OnDblClick, ...
// windowed controls add TabOrder, TabStop, OnEnter, OnExit, OnKeyDown,
// OnKeyPress; each kind adds its own (Items.Strings, ItemIndex, Style,
// Panels, Position, Glyph.Resource ...). Colours are numbers or names
// ("clBtnHighlight"); events are handler names of the root; the form's
// class itself is registered by whoever defines it (base "TForm").
//
// Status bar panels: "Panels = (('Width' 500 'Text' 'x' 'Font.Name' 'Arial'
// 'Font.Height' -16 'Font.Style' [fsBold] 'Font.Color' 255) ('Width' 50))",
// one inner list of name-value pairs per panel.

#include "orv/platform/Description.h"

namespace orv::platform {

void RegisterControlClasses(TClassRegistry& registry);

}  // namespace orv::platform
