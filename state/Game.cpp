#include "state/Game.h"

namespace bulwarn {

Game::Game(forms::Runtime& runtime) : rt(runtime), sound(runtime) {}

Game::~Game() {
  // Take every form out of the runtime before it dies, without raising events.
  for (auto& entry : forms_)
    if (entry.second) rt.discardForm(*entry.second);
}

void Game::adopt(std::type_index key, forms::Form& f) {
  forms::Form* raw = &f;
  raw->releaseFromOwner = [this, key, raw]() -> std::unique_ptr<forms::Form> {
    auto it = forms_.find(key);
    if (it == forms_.end() || it->second.get() != raw) return nullptr;
    return std::move(it->second);
  };
  // A form unloaded during its own load lives on until the current event
  // ends; callers then find it unloaded and leave it alone.
  rt.loadForm(*raw);
}

forms::Picture Game::picture(const std::string& name, int w, int h) {
  auto it = pictures_.find(name);
  if (it != pictures_.end()) return it->second;
  auto p = forms::makePicture(name, w, h);
  pictures_.emplace(name, p);
  return p;
}

}  // namespace bulwarn
