#include "platform/termination_signal.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <csignal>

namespace quillstone {
namespace {

// SIGTERM is answered on the event loop, not in the handler; only one watcher is installed.
TEST(TerminationSignal, SigtermCallsBackOnTheEventLoopOnce) {
  int calls = 0;
  const TerminationSignal watcher([&calls] { ++calls; });
  ASSERT_TRUE(watcher.status()) << watcher.status().message();
  EXPECT_FALSE(TerminationSignal([] {}).status());
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_EQ(calls, 0);
  for (int i = 0; i < 100 && calls == 0; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace quillstone
