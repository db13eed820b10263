// The program as a user meets it: start-up in a folder, the main menu, refused
// letters and answers, end of input, script files given through option Z, the
// results file question, and the bookkeeping of the track after large
// resemblance matrices. (Option E: PreferencesE2E.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"
#include "support/TextChecks.h"

namespace {

using shelltest::NewData;

const char* const kRefusedH = "\nIncorrect input = h. Reenter.\nAccepted input: N E Z X U J \n";
const char* const kScriptQuestion = "Read input from file (f) or from the keyboard (k)? f/k ";
const char* const kScriptName = "Enter name of text file with all the options: ";

TEST(Spine, FirstStartMenuRefusalAndExit) {
  PlexorFolder f;
  PlexorRun r = f.run("h\nT\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Begins(r.out, "\n\n\nPLEXOR\n"));
  EXPECT_TRUE(Holds(r.out, "v.3.85b\n"));
  EXPECT_TRUE(Holds(r.out, "\nAnalysis status: Data not available.\nMaximum number of processors"));
  EXPECT_TRUE(
      Holds(r.out, "\nMAIN MENU\n\t* N  specify data or open existing session\n\t  V  descriptive attributes\n"));
  EXPECT_TRUE(Holds(r.out, "\t* E  preferences\n\t  S  save session\n\t* Z  run script\n\t* X  exit\n" +
                               std::string(79, '-') + "\nEnter option (valid options with *): "));
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
  // Nothing to resume and no results file: no question before the menu.
  EXPECT_TRUE(Lacks(r.out, "Wish to continue"));
  EXPECT_TRUE(Lacks(r.out, "An older file"));
  // Refused letters (upper case is the same answer) do not reprint the menu.
  EXPECT_EQ(r.err, std::string(kRefusedH) + "\nIncorrect input = T. Reenter.\nAccepted input: N E Z X U J \n");
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 1);
  EXPECT_FALSE(f.exists("Zoviri.txt"));
}

TEST(Spine, ScriptDrivesTheMenuAsTypedAnswersWould) {
  const std::string body = "h\ne\nc\n  H \t\n\nx";
  PlexorFolder typed;
  PlexorRun t = typed.run("z\nk\n" + body);
  PlexorFolder scripted;
  scripted.write("script.txt", body);
  PlexorRun s = scripted.run("z\nf\nscript.txt\n");
  EXPECT_EQ(s.status, 0);
  EXPECT_EQ(CountOccurrences(s.err, kRefusedH), 1);
  EXPECT_EQ(CountOccurrences(s.err, "\nIncorrect input = H. Reenter.\n"), 1);
  EXPECT_EQ(s.err, t.err);
  std::string out = s.out;
  out.erase(out.find(kScriptName), std::string(kScriptName).size());
  EXPECT_EQ(out, t.out);
  EXPECT_TRUE(scripted.exists("Plexor.prf"));
}

// End of input: of a script before its X (the x typed later is never read),
// at the Portuguese main menu, and while a number is awaited; the keyboard is
// named in the language of the dialogue.
TEST(Spine, EndOfInputEndsWithTheEndOfFileMessage) {
  const struct {
    bool portuguese;
    std::string answers, err, out;  // `out` is printed `times` times
    int times;
  } cases[] = {
      {false, "z\nf\nscript.txt\nx\n",
       std::string(kRefusedH) + "\nfile keyboard \nEND OF FILE !!!\n\nPress RETURN to exit.\n", "MAIN MENU", 2},
      {true, "h\n", "\nfile teclado \nARQUIVO INCOMPLETO !!!\n\nPressione RETURN para sair.\n",
       "\nMENU PRINCIPAL\n\t* N  especificar dados ou abrir sessao existente\n", 1},
      {false, "N\nn\nd.txt\n1\n", "\nEnd of file keyboard\n\nEND OF FILE !!!\n", "Number of sampling units", 1},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("script.txt", "h\n");
    f.write("d.txt", "1 2 3 4 5 6\n");
    if (c.portuguese) f.write("Plexor.prf", shelltest::PortuguesePreferences());
    PlexorRun r = f.run(c.answers);
    EXPECT_EQ(r.status, 0) << c.answers;
    EXPECT_TRUE(Holds(r.err, c.err));
    EXPECT_EQ(CountOccurrences(r.out, c.out), c.times) << c.answers;
    if (c.portuguese) {
      EXPECT_TRUE(Holds(r.out, "\t* X  sair\n" + std::string(79, '-') + "\nEntre opcao (opcoes validas com *): "));
    }
  }
}

TEST(Spine, ScriptQuestionIsAlwaysAnsweredOnTheKeyboard) {
  PlexorFolder f;
  // A missing script is reported and the question asked again; the script's
  // Z is answered "k" from standard input, and the rest of the script is unused.
  f.write("script.txt", "h\nz\nk\nnot for the menu\n");
  PlexorRun r = f.run("z\nf\nnone.txt\nq\nf\nscript.txt\nk\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Holds(r.err, "\ncan't open none.txt \n"));
  EXPECT_TRUE(Holds(r.err, "\nIncorrect input = q. Reenter.\nAccepted input: f k\n"));
  EXPECT_EQ(CountOccurrences(r.err, kRefusedH), 1);
  EXPECT_TRUE(Lacks(r.err, "END OF FILE"));
  EXPECT_EQ(CountOccurrences(r.out, kScriptQuestion), 3);
}

// Erase or append, in each language: the older results survive only an append.
TEST(Spine, ResultsFileErasedOrAppended) {
  struct {
    bool portuguese;
    const char* answer;
    bool kept;
  } cases[] = {{false, "e", false}, {false, "a", true}, {true, "a", false}, {true, "e", true}};
  for (const auto& c : cases) {
    PlexorFolder f;
    if (c.portuguese) f.write("Plexor.prf", shelltest::PortuguesePreferences());
    f.write("d.txt", "1 2 3\n4 5 6\n");
    f.write("Zoviri.txt", "older results\n");
    PlexorRun r = f.run(std::string("q\n") + c.answer + "\n" + NewData("d.txt", 1, 2, 3, "N", 1, c.portuguese ? "s" : "y") +
                        "X\n");
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string question = c.portuguese ? "Ja existe o arquivo Zoviri.txt. Apagar(a) ou emendar(e)? "
                                              : "An older file Zoviri.txt was found. Wish to erase(e) or append(a)? ";
    EXPECT_LT(r.out.find(question), r.out.find("MENU"));
    EXPECT_TRUE(Holds(r.err, "\nIncorrect input = q. Reenter.\nAccepted input: a e\n"));
    const std::string z = f.read("Zoviri.txt");
    EXPECT_EQ(z.rfind("older results\n", 0) == 0, c.kept) << c.portuguese << c.answer;
    EXPECT_TRUE(Holds(z, c.portuguese ? "PLEXOR versao 3.85b" : "PLEXOR version 3.85b"));
  }
}

// A step that writes no results (restoring the original data, a cluster
// analysis left at its menu) does not use up the erase answer: the first
// block actually written still replaces the older results.
TEST(Spine, ErasedResultsFileReplacedByTheFirstBlockWritten) {
  struct {
    const char* name;
    std::string firstRun, secondRun;
  } cases[] = {
      {"restored data", "", "e\n" + NewData("d.txt", 1, 4, 3, "N", 1, "n") + "T\n0\nR\n1\n3\n0\nn\nX\n"},
      {"cluster left at its menu, resumed session", NewData("d.txt", 1, 4, 3, "N", 1, "n") + "R\n1\n3\n0\nn\nX\n",
       "y\ne\nC\n99\nO\n1\nn\nn\nX\n"},
  };
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("d.txt", "1 2 3\n4 5 7\n0 1 1\n3 3 0\n");
    if (!c.firstRun.empty()) {
      ASSERT_EQ(f.run(c.firstRun).status, 0) << c.name;
    }
    f.write("Zoviri.txt", "older results\n");
    PlexorRun r = f.run(c.secondRun);
    ASSERT_EQ(r.status, 0) << c.name << r.err;
    const std::string z = f.read("Zoviri.txt");
    EXPECT_TRUE(Lacks(z, "older results")) << c.name;
    EXPECT_TRUE(Holds(z, c.firstRun.empty() ? "\nRESEMBLANCE MEASURES\n" : "\nORDINATION\n")) << c.name;
  }
}

// A resemblance matrix of 401 sampling units is not recorded in the track;
// the transformation that releases it is, and so is every later step.
TEST(Spine, LargeResemblanceLeftOutOfTheTrackUntilReleased) {
  PlexorFolder f;
  std::string values, groups;
  for (int i = 0; i < 401; i++) {
    values += std::to_string(i % 7) + "\n";
    groups += std::to_string(i % 3 + 1) + " ";
  }
  f.write("big.txt", values);
  PlexorRun r = f.run(NewData("big.txt", 1, 401, 1, "", 1, "n") + "R\n1\n3\n0\nn\nT\n1\n0\n0\nn\nG\n1\nthirds\nk\n" +
                      groups + "\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  // The session line of the status above the menus after N, R, T and G.
  const std::vector<std::string> expected = {"Session IS saved.", "Session is NOT saved.", "Session IS saved.",
                                             "Session IS saved."};
  std::vector<std::string> menus;
  const size_t first = r.out.find("MAIN MENU");
  for (size_t p = r.out.find("MAIN MENU", first + 1); p != std::string::npos; p = r.out.find("MAIN MENU", p + 1)) {
    const size_t s = r.out.rfind("Session ", p);
    menus.push_back(s > first ? r.out.substr(s, r.out.find('\n', s) - s) : "");
  }
  EXPECT_EQ(menus, expected);
  const std::string track = f.read("Sessao.trk");
  EXPECT_TRUE(Holds(track, "\nthirds\n0\t\n3\t\n1\t2\t3\t\n1\t2\t3\t1\t"));
}

TEST(Spine, PathAnalysisRefusedForQualitativeData) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n2 1 3\n");
  PlexorRun r = f.run(NewData("d.txt", 3, 2, 3) + "f\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Holds(r.out, "\n\n\nData type is not adequate for any option of path analysis.\nAnalysis status"));
}

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
  EXPECT_TRUE(Lacks(r.out, "Enter name for the session"));
  EXPECT_FALSE(f.exists("y.trk"));
  // Appended, not erased: the earlier results are still there.
  EXPECT_TRUE(Begins(f.read("Zoviri.txt"), results));
  EXPECT_EQ(f.read("Sessao.trk"), track);
}

// "2O" (letter O) at a dimension question was read as 2 and its O skipped,
// so that the next answer became the number of variables; "twenty" was
// skipped without a word. Rescaling into classes needs one class at least.
TEST(Answers, NumbersMustBeWholeWordsAndInRange) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 7 8\n");
  PlexorRun r = f.run("N\nn\nd.txt\n1\n4O\n4\ntwenty\n2\nN\n1\nn\nT\n1\n0\n2\n8\n0\n2\nn\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "\nIncorrect input = 4O. Reenter.\nAccepted input: 1 to 3.40282e+38\n"
            "\nIncorrect input = twenty. Reenter.\nAccepted input: 1 to 3.40282e+38\n"
            "\nIncorrect input = 0. Reenter.\nAccepted input: 1 to 2.14748e+09\n");
  EXPECT_TRUE(Holds(r.out, "Dimensions: 4 sampling units, 2 variables\n"));
  EXPECT_TRUE(Holds(r.out, "Vector transformation: (8)rescaling into classes, within variables\n"));
  // Two classes of the column 1, 3, 5, 7: 1, 1, 2, 2.
  EXPECT_TRUE(Holds(f.read("Sessao.trk"), "\n1\t1\t\n1\t1\t\n2\t2\t\n2\t2\t\n"));
}

}  // namespace
