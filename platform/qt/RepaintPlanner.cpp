#include "RepaintPlanner.h"

#include <algorithm>

namespace forms {

void RepaintPlanner::touched(const void* control, QRect ink, std::size_t look) {
  // Only the last word of an event counts: what is on screen at its end.
  const auto it =
      std::find_if(touched_.begin(), touched_.end(), [control](const Touch& t) { return t.control == control; });
  if (it != touched_.end()) {
    *it = Touch{control, ink, look};
  } else {
    touched_.push_back(Touch{control, ink, look});
  }
}

void RepaintPlanner::backgroundChanged(QRect area) { background_ = QRegion(area); }

QRegion RepaintPlanner::plan() {
  QRegion changed = background_;
  background_ = QRegion();
  for (const Touch& t : touched_) {
    auto it = painted_.find(t.control);
    if (it == painted_.end()) {
      // Never painted: it shows wherever it reaches now.
      painted_.emplace(t.control, Painted{t.ink, t.look});
      changed += t.ink;
      continue;
    }
    Painted& was = it->second;
    if (was.rect == t.ink && was.look == t.look) continue;
    // A step of a moving sprite: one rectangle around both places. Two
    // overlapping ones would split into bands, each painted and sent on its own.
    if (!was.rect.isEmpty() && was.rect.intersects(t.ink)) {
      changed += was.rect.united(t.ink);
    } else {
      changed += was.rect;
      changed += t.ink;
    }
    was = Painted{t.ink, t.look};
  }
  touched_.clear();
  return changed;
}

void RepaintPlanner::forgetAll() {
  painted_.clear();
  touched_.clear();
  background_ = QRegion();
}

}  // namespace forms
