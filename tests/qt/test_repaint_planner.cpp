// The repaint planner on its own: which rectangles an event's changes cost.
#include <gtest/gtest.h>

#include "platform/qt/RepaintPlanner.h"

namespace forms {
namespace {

int a, b;  // two controls; only their addresses matter

TEST(RepaintPlanner, OnlyWhatReallyChangedIsRepainted) {
  RepaintPlanner p;
  EXPECT_TRUE(p.idle());
  p.touched(&a, QRect(10, 10, 20, 20), 1);
  p.touched(&b, QRect(100, 10, 20, 20), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(10, 10, 20, 20)) + QRect(100, 10, 20, 20)) << "first painted where they reach";
  EXPECT_TRUE(p.idle());

  // Cleared and set back within one event: the last word counts, and it is as before.
  p.touched(&a, QRect(10, 10, 20, 20), 2);
  p.touched(&a, QRect(10, 10, 20, 20), 1);
  EXPECT_TRUE(p.plan().isEmpty());

  // A new look in the same place: that place only.
  p.touched(&a, QRect(10, 10, 20, 20), 3);
  p.touched(&b, QRect(100, 10, 20, 20), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(10, 10, 20, 20)));

  // Hidden: where it was. Shown again elsewhere: where it is now.
  p.touched(&b, QRect(), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(100, 10, 20, 20)));
  p.touched(&b, QRect(200, 50, 20, 20), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(200, 50, 20, 20)));
}

TEST(RepaintPlanner, AMovingSpriteCostsOneRectangleAStepAndLeavesNothingBehind) {
  RepaintPlanner p;
  p.touched(&a, QRect(0, 0, 30, 20), 1);
  p.plan();
  // A small step: one rectangle around both places, not two bands.
  p.touched(&a, QRect(5, 3, 30, 20), 1);
  const QRegion step = p.plan();
  EXPECT_EQ(step.rectCount(), 1);
  EXPECT_EQ(step.boundingRect(), QRect(0, 0, 35, 23));
  // A jump: both places, and nothing of the space between them.
  p.touched(&a, QRect(300, 200, 30, 20), 1);
  const QRegion jump = p.plan();
  EXPECT_EQ(jump, QRegion(QRect(5, 3, 30, 20)) + QRect(300, 200, 30, 20));
  EXPECT_FALSE(jump.contains(QPoint(150, 100)));
}

TEST(RepaintPlanner, ABackgroundChangeRepaintsTheWholeAreaAndAForgottenWindowStartsAfresh) {
  RepaintPlanner p;
  p.touched(&a, QRect(10, 10, 20, 20), 1);
  p.plan();
  p.backgroundChanged(QRect(0, 0, 800, 600));
  p.touched(&a, QRect(10, 10, 20, 20), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(0, 0, 800, 600)));
  EXPECT_TRUE(p.plan().isEmpty()) << "a plan is made once";

  p.touched(&a, QRect(10, 10, 20, 20), 1);
  p.forgetAll();
  EXPECT_TRUE(p.idle()) << "what waited for the gone window is dropped";
  p.touched(&a, QRect(10, 10, 20, 20), 1);
  EXPECT_EQ(p.plan(), QRegion(QRect(10, 10, 20, 20))) << "painted anew, though it looks as before";
}

}  // namespace
}  // namespace forms
