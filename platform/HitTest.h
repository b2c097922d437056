// Which control a click on a form lands on: the one the player sees at that
// point. Both realisations ask this, so a click by the headless driver and a
// real mouse click take the same path.
#pragma once

#include "Controls.h"

namespace forms {

// Whether a control answers a click at all, by its kind's own rule: shapes,
// lines and timers never do; an image shows nothing without a picture, and a
// see-through label nobody listens to, so both let the click through.
bool catchesClicks(const Control& c);

// Where a control answers a click (twips, relative to the client area): its
// rectangle cut by the frames around it; empty while it or a frame is hidden.
RectF hitRect(const Control& c);

// The control a click at (x, y) twips lands on, or null for the form itself.
// Buttons, check boxes, option buttons and progress bars stand above the
// painted controls; within each of the two layers the later-created control
// lies on top (a frame's controls are created after it, so lie on it). A
// disabled control is still hit: its click is then dropped, it does not fall
// through to what lies beneath.
Control* hitTest(const Form& f, float x, float y);

}  // namespace forms
