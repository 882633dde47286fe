#include "orv/qtui/Qtplatform.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <atomic>
#include <thread>

#include "orv/platform/Screen.h"

namespace orv::qtui {
namespace {

TEST(QtFileFilter, PairsBecomeQtNameFilters) {
  const std::pair<const char*, const char*> cases[] = {
      {"File : |*.lce", "File : (*.lce)"},
      {"File: |*.lce", "File: (*.lce)"},
      {"Text|*.txt|All|*.*", "Text (*.txt);;All (*.*)"},
      {"Pictures|*.bmp;*.png", "Pictures (*.bmp *.png)"},
      {"no bar", "no bar"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(QtFileFilter(in), out) << in;
}

TEST(QtMainThread, WorkFromAnotherThreadRunsOnTheLoop) {
  ASSERT_NE(QApplication::instance(), nullptr);
  TQtMainThread dispatcher;
  std::atomic<bool> ran{false};
  std::thread::id where;
  std::thread worker([&] {
    dispatcher.Synchronize([&] {
      where = std::this_thread::get_id();
      ran = true;
    });
  });
  // The worker waits inside Synchronize until the loop runs the work.
  for (int i = 0; i < 2000 && !ran; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  worker.join();
  EXPECT_TRUE(ran);
  EXPECT_EQ(where, std::this_thread::get_id());
}

TEST(QtScreen, SizeAndCursorFollowTheModel) {
  InstallScreen();
  EXPECT_GT(platform::Screen().Width(), 0);
  platform::Screen().SetCursor(platform::crAppStart);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
  platform::Screen().SetCursor(platform::crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  RemoveScreen();
}

}  // namespace
}  // namespace orv::qtui
