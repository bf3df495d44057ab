#pragma once
// The contents of the panel window, one class per content code, and the map from the code to them.
//
// Adding a content: derive from PanelContent (tablett.h), give it its code and exact title, build its
// elements into panel.body() (text fields through panel.textField(kind, name), so that the key filter
// applies), say which common buttons it has and answer them, and add its code to makePanelContent. A
// content whose values are a Qt-free panel model (presentation) reads the model in build(), writes the
// typed values back into it, and calls the model's defaults and the session's storing operation from
// restoreDefaults() and save(). Then give its menu item or function key the content code in
// presentation/menu_dispatch.cpp.

#include "ui/tablett.h"

#include <memory>

namespace varemo::ui {

// nullptr for a content code without a builder.
std::unique_ptr<PanelContent> makePanelContent(int code, PanelHost& host);

} // namespace varemo::ui
