// A control property: plain data that tells its control when it changes, so the
// realisation can repaint (or reschedule a timer) without polling the model.
#pragma once

#include <string>
#include <utility>

namespace forms {

// Which aspect of a control a property belongs to; the view uses it to decide
// what to refresh.
enum class Aspect { Geometry, Visible, Enabled, Look, Text, Value, Timer };

// Controls and forms own properties and hear of their changes.
class PropertyOwner {
 public:
  virtual void changed(Aspect aspect, int propId) = 0;

 protected:
  ~PropertyOwner() = default;
};

template <class T>
class Property {
 public:
  Property(PropertyOwner* owner, T init, Aspect aspect, int propId = 0, bool notifySame = false)
      : owner_(owner), value_(std::move(init)), aspect_(aspect), id_(propId), notifySame_(notifySame) {}
  Property(const Property&) = delete;
  Property& operator=(const Property& other) { return *this = other.value_; }

  Property& operator=(const T& v) {
    if (!(v == value_)) {
      value_ = v;
      owner_->changed(aspect_, id_);
    } else if (notifySame_) {
      owner_->changed(aspect_, id_);
    }
    return *this;
  }
  operator const T&() const { return value_; }  // NOLINT(google-explicit-constructor)
  const T& get() const { return value_; }

  template <class U>
  Property& operator+=(const U& d) {
    return *this = static_cast<T>(value_ + d);
  }
  template <class U>
  Property& operator-=(const U& d) {
    return *this = static_cast<T>(value_ - d);
  }

 private:
  PropertyOwner* owner_;
  T value_;
  Aspect aspect_;
  int id_;
  bool notifySame_;
};

// Text properties take part in string concatenation as VB captions do.
inline std::string operator+(const Property<std::string>& a, const std::string& b) { return a.get() + b; }
inline std::string operator+(const Property<std::string>& a, const char* b) { return a.get() + b; }
inline std::string operator+(const std::string& a, const Property<std::string>& b) { return a + b.get(); }
inline bool operator==(const Property<std::string>& a, const char* b) { return a.get() == b; }
inline bool operator!=(const Property<std::string>& a, const char* b) { return a.get() != b; }

}  // namespace forms
