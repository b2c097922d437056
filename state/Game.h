// What every form of the game shares: the runtime, the game-wide variables,
// the sound cues, the picture handles, and each form's default instance,
// created on first use. The forms reach one another through it, so a screen
// never needs the battle screen's header (nor the battle screen the program's).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <typeindex>

#include "platform/Picture.h"
#include "platform/Runtime.h"
#include "sound/modSoundG.h"
#include "state/modVexilla.h"

namespace bulwarn {

class Game {
 public:
  explicit Game(forms::Runtime& runtime);
  virtual ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  forms::Runtime& rt;
  modVexilla vex;
  modSoundG sound;

  // The default instance of form class T, created and loaded on first use.
  template <class T>
  T& form();
  // The loaded instance, or null; never creates one.
  template <class T>
  T* loadedForm() const;

  // Shared picture handles: the same name always gives the same image.
  forms::Picture picture(const std::string& name, int w, int h);

 private:
  // Hands the instance over to the runtime when it is unloaded, so that it is
  // destroyed after the current event; the next use creates a fresh one.
  void adopt(std::type_index key, forms::Form& f);

  std::map<std::type_index, std::unique_ptr<forms::Form>> forms_;
  std::map<std::string, forms::Picture> pictures_;
};

template <class T>
T& Game::form() {
  const std::type_index key(typeid(T));
  auto it = forms_.find(key);
  if (it != forms_.end() && it->second) return static_cast<T&>(*it->second);
  auto made = std::make_unique<T>(*this);
  T& f = *made;
  forms_[key] = std::move(made);
  adopt(key, f);
  return f;
}

template <class T>
T* Game::loadedForm() const {
  auto it = forms_.find(std::type_index(typeid(T)));
  return it == forms_.end() ? nullptr : static_cast<T*>(it->second.get());
}

}  // namespace bulwarn
