// Pictures are shared immutable handles: assigning one control's picture to
// another shows the same image, nothing is copied.
#pragma once

#include <memory>
#include <string>

namespace forms {

struct PictureData {
  std::string name;  // asset name, e.g. "unit_tank" or "blastA_07"
  int width = 0;     // pixels at 1x
  int height = 0;
};

using Picture = std::shared_ptr<const PictureData>;

inline Picture makePicture(std::string name, int w, int h) {
  return std::make_shared<const PictureData>(PictureData{std::move(name), w, h});
}

}  // namespace forms
