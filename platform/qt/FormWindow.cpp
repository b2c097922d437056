#include "FormWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ControlPainter.h"
#include "PictureCache.h"
#include "platform/Runtime.h"

namespace forms {

namespace {

QString qtext(const std::string& s) { return QString::fromStdString(s); }

bool inside(const Control& c, const Control& container) {
  for (const Control* k = c.container(); k; k = k->container())
    if (k == &container) return true;
  return false;
}

// Sets one palette colour, only when it differs, so a sync costs no repaint.
// Text roles keep the style's grey when the widget is disabled, so a disabled
// button looks disabled whatever its caption colour.
void setRole(QWidget* w, QPalette::ColorRole role, const QColor& color) {
  if (w->palette().color(QPalette::Active, role) == color) return;
  QPalette pal = w->palette();
  pal.setColor(QPalette::Active, role, color);
  pal.setColor(QPalette::Inactive, role, color);
  const bool text = role == QPalette::ButtonText || role == QPalette::WindowText || role == QPalette::Text;
  pal.setColor(QPalette::Disabled, role, text ? QColor(128, 128, 128) : color);
  w->setPalette(pal);
}

// Check boxes and option buttons show the same things.
template <class Toggle>
void syncToggle(QAbstractButton* b, const Toggle& m, bool checked) {
  b->setText(qtext(m.Caption));
  b->setFont(toQFont(m.font));
  setRole(b, QPalette::WindowText, toQColor(m.ForeColor));
  setRole(b, QPalette::Window, toQColor(m.BackColor));
  b->setChecked(checked);
}

}  // namespace

// ---- window ----

FormWindow::FormWindow(Form& form, PictureCache& pictures)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      form_(&form),
      rt_(&form.runtime()),
      pictures_(pictures) {
  setObjectName(qtext(form.name()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  if (!form.menuBar().empty()) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);  // the menu belongs inside the fixed-size window
    for (MenuItem* title : form.menuBar()) buildMenu(*title, nullptr);
    layout->setMenuBar(menuBar_);
  }
  client_ = new ClientArea(*this, QSize(toPixels(form.clientWidth), toPixels(form.clientHeight)));
  client_->setObjectName(QStringLiteral("client"));
  layout->addWidget(client_);
  for (Control* c : form.controls()) {
    if (isPainted(c->kind())) {
      client_->refresh(*c);
    } else if (c->kind() != ControlKind::Timer) {
      createWidget(*c);
    }
  }
  setWindowTitle(qtext(form.Caption));
  if (!form.iconName.empty()) {
    QIcon icon;
    const QString name = qtext(form.iconName);
    for (int s : {16, 32, 48}) icon.addPixmap(pictures_.pixmap(name, QSize(s, s), 1.0));
    setWindowIcon(icon);
  }
}

FormWindow::~FormWindow() {
  if (modalLoop) modalLoop->quit();
}

QAction* FormWindow::action(const MenuItem& m) const {
  auto it = actions_.find(&m);
  return it == actions_.end() ? nullptr : it->second;
}

QWidget* FormWindow::widget(const Control& c) const {
  auto it = widgets_.find(&c);
  return it == widgets_.end() ? nullptr : it->second;
}

void FormWindow::buildMenu(MenuItem& m, QMenu* into) {
  QAction* a = nullptr;
  if (!into) {
    if (m.items().empty()) {
      // A bare title acts when chosen, as an open-and-close of its menu.
      a = menuBar_->addAction(qtext(m.caption()));
      connect(a, &QAction::triggered, this, [this, &m] {
        if (form_) rt_->userOpenMenu(m);
      });
    } else {
      QMenu* menu = menuBar_->addMenu(qtext(m.caption()));
      a = menu->menuAction();
      connect(menu, &QMenu::aboutToShow, this, [this, &m] {
        if (form_) rt_->userOpenMenu(m);
      });
      for (MenuItem* child : m.items()) buildMenu(*child, menu);
    }
  } else if (m.isSeparator()) {
    a = into->addSeparator();
  } else if (!m.items().empty()) {
    QMenu* sub = into->addMenu(qtext(m.caption()));
    a = sub->menuAction();
    for (MenuItem* child : m.items()) buildMenu(*child, sub);
  } else {
    a = into->addAction(qtext(m.caption()));
    if (!m.shortcut().empty()) {
      // Shown as Qt shows a shortcut, and matched by the runtime core with
      // every other key, the same in both realisations.
      const QKeySequence keys = QKeySequence::fromString(qtext(m.shortcut()), QKeySequence::PortableText);
      a->setText(qtext(m.caption()) + QLatin1Char('\t') + keys.toString(QKeySequence::NativeText));
    }
    connect(a, &QAction::triggered, this, [this, &m] {
      if (!form_) return;
      rt_->userChooseMenu(m);
      if (form_) syncMenu(m);  // Qt toggled a checkable action itself; the model decides
    });
  }
  actions_[&m] = a;
  syncMenu(m);
}

void FormWindow::syncMenu(MenuItem& m) {
  QAction* a = action(m);
  if (!a) return;
  a->setEnabled(m.enabled());
  // Only items that have ever been ticked show a tick box.
  if (m.checked() && !a->isCheckable()) a->setCheckable(true);
  if (a->isCheckable()) a->setChecked(m.checked());
}

void FormWindow::createWidget(Control& c) {
  QWidget* w = nullptr;
  switch (c.kind()) {
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(client_);
      b->setAutoDefault(false);
      w = b;
      connect(b, &QPushButton::clicked, this, [this, cp = &c] {
        if (form_) rt_->userClick(*cp);
      });
      break;
    }
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: {
      QAbstractButton* b = nullptr;
      if (c.kind() == ControlKind::CheckBox) {
        b = new QCheckBox(client_);
      } else {
        auto* r = new QRadioButton(client_);
        r->setAutoExclusive(false);  // the model clears the other options of the same frame
        b = r;
      }
      // Buttons fill with the Button role by default; these take the form's BackColor.
      b->setBackgroundRole(QPalette::Window);
      b->setAutoFillBackground(true);
      w = b;
      connect(b, &QAbstractButton::clicked, this, [this, cp = &c] {
        if (!form_) return;
        rt_->userClick(*cp);
        if (form_) syncWidget(*cp);  // the model has the final word on the tick
      });
      break;
    }
    case ControlKind::ProgressBar: {
      auto* p = new QProgressBar(client_);
      p->setTextVisible(false);
      w = p;
      break;
    }
    default: return;
  }
  w->setObjectName(qtext(c.name()));
  widgets_[&c] = w;
  w->raise();  // creation order is the stacking order
  syncWidget(c);
}

void FormWindow::syncWidget(Control& c) {
  QWidget* w = widget(c);
  if (!w) return;
  const QRect r = toPixels(c.absoluteRect());
  if (w->geometry() != r) w->setGeometry(r);
  switch (c.kind()) {
    case ControlKind::CommandButton: {
      auto& m = static_cast<CommandButton&>(c);
      auto* b = static_cast<QPushButton*>(w);
      b->setText(qtext(m.Caption));
      b->setFont(toQFont(m.font));
      setRole(b, QPalette::ButtonText, toQColor(m.ForeColor));
      b->setFocusPolicy(m.takesFocus ? Qt::StrongFocus : Qt::NoFocus);
      b->setDefault(m.isDefault);
      break;
    }
    case ControlKind::CheckBox: {
      auto& m = static_cast<CheckBox&>(c);
      syncToggle(static_cast<QAbstractButton*>(w), m, m.Value != 0);
      break;
    }
    case ControlKind::OptionButton: {
      auto& m = static_cast<OptionButton&>(c);
      syncToggle(static_cast<QAbstractButton*>(w), m, m.Value);
      break;
    }
    case ControlKind::ProgressBar: {
      auto& m = static_cast<ProgressBar&>(c);
      auto* p = static_cast<QProgressBar*>(w);
      const int lo = static_cast<int>(std::lround(m.Min)), hi = static_cast<int>(std::lround(m.Max));
      p->setRange(lo, std::max(lo, hi));
      p->setValue(std::clamp(static_cast<int>(std::lround(m.Value.get())), lo, std::max(lo, hi)));
      break;
    }
    default: break;
  }
  w->setEnabled(c.enabledOnForm());
  w->setVisible(c.shownOnForm());
}

void FormWindow::syncDescendants(const Control& container) {
  if (!form_) return;
  for (Control* k : form_->controls()) {
    if (!inside(*k, container)) continue;
    if (isPainted(k->kind())) {
      client_->refresh(*k);
    } else {
      syncWidget(*k);
    }
  }
}

void FormWindow::syncControl(Control& c) {
  if (!form_ || c.kind() == ControlKind::Timer) return;
  if (isPainted(c.kind())) {
    client_->refresh(c);
  } else if (widget(c)) {
    syncWidget(c);
  } else {
    createWidget(c);
  }
  if (c.isContainer()) syncDescendants(c);
}

void FormWindow::syncForm(Aspect aspect) {
  if (!form_) return;
  switch (aspect) {
    case Aspect::Text: setWindowTitle(qtext(form_->Caption)); break;
    case Aspect::Geometry: moveOnScreen(QPoint(toPixels(form_->Left), toPixels(form_->Top))); break;
    case Aspect::Look: client_->refreshBackground(); break;
    default: client_->update(); break;
  }
}

void FormWindow::placeOnScreen() {
  if (!form_) return;
  adjustSize();
  switch (form_->startPosition) {
    case StartPosition::CenterScreen:
      if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        moveOnScreen(area.center() - QPoint(width() / 2, height() / 2));
      }
      break;
    case StartPosition::Manual: moveOnScreen(QPoint(toPixels(form_->Left), toPixels(form_->Top))); break;
    case StartPosition::WindowsDefault: break;
  }
}

void FormWindow::moveOnScreen(QPoint topLeft) {
  // A window larger than the screen, centred, would start above or left of
  // it, and its title bar could no longer be grabbed: it starts at the
  // screen's edge instead and runs off the far side. (A window's position is
  // that of its frame, title bar included.)
  QScreen* s = QGuiApplication::screenAt(topLeft);
  if (!s) s = QGuiApplication::primaryScreen();
  if (s) {
    const QRect area = s->availableGeometry();
    topLeft.setX(std::max(topLeft.x(), area.left()));
    topLeft.setY(std::max(topLeft.y(), area.top()));
  }
  move(topLeft);
}

void FormWindow::detach() {
  if (modalLoop) modalLoop->quit();
  form_ = nullptr;
  hide();
  client_->forget();
  widgets_.clear();
  actions_.clear();
}

void FormWindow::closeEvent(QCloseEvent* e) {
  // The form decides whether its window closes.
  e->ignore();
  if (form_) rt_->userClose(*form_);
}

void FormWindow::clickButtonWhere(bool (*pick)(const Control&)) {
  if (!form_) return;
  for (Control* c : form_->controls()) {
    if (c->kind() == ControlKind::CommandButton && pick(*c) && c->shownOnForm() && c->enabledOnForm()) {
      rt_->userClick(*c);
      return;
    }
  }
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
  // Dialog keys: Enter presses the focused button or else the default one, Escape the cancel one.
  if (e->modifiers() & ~(Qt::KeypadModifier)) {
    QWidget::keyPressEvent(e);
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isVisible() && b->isEnabled()) {
      b->click();
    } else {
      clickButtonWhere([](const Control& c) { return static_cast<const CommandButton&>(c).isDefault; });
    }
    return;
  }
  if (e->key() == Qt::Key_Escape) {
    clickButtonWhere([](const Control& c) { return static_cast<const CommandButton&>(c).isCancel; });
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace forms
