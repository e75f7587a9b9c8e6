// Off-screen rendering: what a control shows, as an image, without showing
// a window.
#pragma once

#include <QImage>

class TControl;
class TCustomForm;

// The control at one pixel per pixel, (0,0) its top-left, with every
// visible child. A graphic control is cut out of its parent's rendering.
QImage RenderControl(TControl* control);
// A form's client area, (0,0) the top-left of the client area.
QImage RenderFormClient(TCustomForm* form);
