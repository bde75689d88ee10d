// Runs the tests, under Wine only with code page 932: without the Japanese
// locale Wine takes 1252, and no test of cp932 text would then prove anything.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

TEST(AaaWineEnvironment, AnsiCodePageIs932) { ASSERT_EQ(GetACP(), 932u); }
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  if (GetACP() != 932) {
    std::fprintf(stderr, "The ANSI code page is %u, not 932: generate the ja_JP.UTF-8 locale.\n",
                 GetACP());
    return 1;
  }
  // A failing test must not stop for a dialog box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
  return RUN_ALL_TESTS();
}
