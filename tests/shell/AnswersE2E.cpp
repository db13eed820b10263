// Answers as the program reads them from the keyboard or a script: a
// one-letter answer is a word of its own, a numeric answer a whole word that
// is a finite number, and the keyboard is named in the dialogue's language.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::NewData;

// "yes" to the question on the last session used to answer y, then erase the
// results file with its "e" and open the save-session dialogue with its "s",
// whose name question then took the next answer. The word is refused whole.
TEST(Answers, LongerWordIsNotTakenLetterByLetter) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6\n");
  ASSERT_EQ(f.run(NewData("d.txt", 1, 2, 3) + "X\n").status, 0);
  const std::string results = f.read("Zoviri.txt");
  const std::string track = f.read("Sessao.trk");
  ASSERT_FALSE(results.empty());

  PlexorRun r = f.run("yes\ny\na\nT\n0\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("\nIncorrect input = yes. Reenter.\nAccepted input: y n\n"), 0u) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "Wish to continue analysis session with data file d.txt? y/n "), 1);
  EXPECT_EQ(r.out.find("Enter name for the session"), std::string::npos);
  EXPECT_FALSE(f.exists("y.trk"));
  // Appended, not erased: the earlier results are still there.
  EXPECT_EQ(f.read("Zoviri.txt").rfind(results, 0), 0u);
  EXPECT_EQ(f.read("Sessao.trk"), track);
}

// "2O" (letter O) at a dimension question was read as 2 and its O skipped,
// so that the next answer became the number of variables; "twenty" was
// skipped without a word.
TEST(Answers, NumbersMustBeWholeWords) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6\n");
  PlexorRun r = f.run("N\nn\nd.txt\n1\n2O\n2\ntwenty\n3\nN\n1\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "\nIncorrect input = 2O. Reenter.\nAccepted input: 1 to 3.40282e+38\n"
            "\nIncorrect input = twenty. Reenter.\nAccepted input: 1 to 3.40282e+38\n");
  EXPECT_NE(r.out.find("Dimensions: 2 sampling units, 3 variables\n"), std::string::npos);
}

// End of input names the keyboard in the dialogue's language, whatever reader
// was waiting.
TEST(Answers, EndOfInputNamesTheKeyboardInEnglish) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6\n");
  const struct {
    std::string answers;
    const char* end;
  } cases[] = {{"N\nn\nd.txt\n1\n", "\nEnd of file keyboard\n\nEND OF FILE !!!\n"},  // a number awaited
               {NewData("d.txt", 1, 2, 3), "\nfile keyboard \nEND OF FILE !!!\n"}};  // the main menu
  for (const auto& c : cases) {
    PlexorRun r = f.run(c.answers);
    EXPECT_NE(r.err.find(c.end), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("teclado"), std::string::npos) << r.err;
  }
}

// Rescaling into classes needs one class at least: 0 is refused and asked again.
TEST(Answers, RescalingIntoNoClassesRefused) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 7 8\n");
  PlexorRun r = f.run(NewData("d.txt", 1, 4, 2, "N", 1, "n") + "T\n1\n0\n2\n8\n0\n2\nn\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("\nIncorrect input = 0. Reenter.\nAccepted input: 1 to 2.14748e+09\n"), std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("Vector transformation: (8)rescaling into classes, within variables\n"), std::string::npos);
  // Two classes of the column 1, 3, 5, 7: 1, 1, 2, 2.
  EXPECT_NE(f.read("Sessao.trk").find("\n1\t1\t\n1\t1\t\n2\t2\t\n2\t2\t\n"), std::string::npos) << f.read("Sessao.trk");
}

}  // namespace
