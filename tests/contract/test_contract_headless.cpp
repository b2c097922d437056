// The runtime contract on the headless realisation: virtual time, scripted answers.
#include <deque>

#include "Contract.h"
#include "platform/headless/HeadlessRuntime.h"

namespace contract {
namespace {

class HeadlessDriver {
 public:
  static constexpr long long kSlack = 0;  // virtual time is never late

  HeadlessDriver() {
    rt_.setMsgBoxResponder([this](const MsgBoxRecord& r) {
      if (answers_.empty()) return mb::hasYesNo(r.style) ? mb::AnsYes : mb::AnsOk;
      const auto [answer, afterMs] = answers_.front();
      answers_.pop_front();
      rt_.advance(afterMs);  // the player reads the box meanwhile
      return answer;
    });
  }
  ~HeadlessDriver() { rt_.unloadAll(); }
  HeadlessDriver(const HeadlessDriver&) = delete;
  HeadlessDriver& operator=(const HeadlessDriver&) = delete;

  Runtime& rt() { return rt_; }
  FormOwner& forms() { return forms_; }
  void show(Form& f) { f.Show(); }
  void click(Form& f, float x, float y) { rt_.clickAt(f.name(), x, y); }
  void key(Form& f, int code, int shift) { rt_.userKey(f, code, shift); }
  void openMenu(MenuItem& title) { rt_.openMenu(title.name(), title.form()->name()); }
  void chooseMenu(MenuItem& item) { rt_.chooseMenu(item.name(), item.form()->name()); }
  void wait(long long ms) { rt_.advance(ms); }
  void answerNextBox(int answer, long long afterMs = 0) { answers_.emplace_back(answer, afterMs); }
  void whileModal(Form& f, const std::function<void()>& act) {
    const std::string name = f.name();  // the form may be gone when its show returns
    rt_.onModal(name, [act](Form&) { act(); });
    f.ShowModal();
    rt_.clearModal(name);
  }

 private:
  HeadlessRuntime rt_{[] {
    HeadlessConfig c;
    c.beatMs = 50;  // as on Qt
    return c;
  }()};
  FormOwner forms_{rt_};
  std::deque<std::pair<int, long long>> answers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, RuntimeContract, HeadlessDriver);

}  // namespace
}  // namespace contract
