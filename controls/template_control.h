#pragma once
// Window controls take the place of a control of the page template: the page
// builder made a plain frame with the template identifier as object name, the
// custom control replaces it, so pages and tests keep finding the control by
// that identifier.

class QWidget;

// Gives `control` the geometry, stacking place, visibility, enabled state and
// object name of the template control `id` of `page`, and deletes the frame it
// replaces. The control becomes a child of the page either way, so the page
// owns it; when the page has no such control it stays hidden and false is
// returned.
bool TakeTemplatePlace(QWidget& control, QWidget& page, int id);
