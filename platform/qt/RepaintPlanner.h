// What an event's changes cost on screen: the controls it touched go in, the
// rectangles to repaint come out. It remembers where each control was painted
// and how it looked, so a control rebuilt unchanged (cleared and set again, say)
// costs nothing, and a sprite's step is one rectangle around both its places.
// Knows nothing of widgets or painting, so it is tested on its own.
#pragma once

#include <QRect>
#include <QRegion>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace forms {

class RepaintPlanner {
 public:
  // A control that may have changed: where its paint reaches now (empty when
  // it shows nothing) and a digest of everything else about how it looks.
  void touched(const void* control, QRect ink, std::size_t look);
  // The background behind every control changed: all of `area` is repainted.
  void backgroundChanged(QRect area);
  bool idle() const { return touched_.empty() && background_.isEmpty(); }
  // The region that really changed since the last plan, and a fresh start for the next.
  QRegion plan();
  // The window is gone: nothing was painted, nothing is waiting.
  void forgetAll();

 private:
  struct Painted {
    QRect rect;
    std::size_t look = 0;
  };
  struct Touch {
    const void* control;
    QRect ink;
    std::size_t look;
  };
  std::unordered_map<const void*, Painted> painted_;
  std::vector<Touch> touched_;
  QRegion background_;
};

}  // namespace forms
