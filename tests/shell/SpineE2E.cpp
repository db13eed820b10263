// The program as a user meets it: start-up in a folder, the main menu, refused
// letters, end of input, script files given through option Z, the results
// file question, and the preferences menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RunPlexor.h"
#include "support/ShellHelpers_shell.h"

namespace {

using shelltest::NewData;

const char* const kRefusedH = "\nIncorrect input = h. Reenter.\nAccepted input: N E Z X U J \n";
const char* const kScriptQuestion = "Read input from file (f) or from the keyboard (k)? f/k ";
const char* const kScriptName = "Enter name of text file with all the options: ";

TEST(Spine, FirstStartMenuRefusalAndExit) {
  PlexorFolder f;
  PlexorRun r = f.run("h\nT\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("\n\n\nPLEXOR\n", 0), 0u);
  EXPECT_NE(r.out.find("v.3.85b\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nAnalysis status: Data not available.\nMaximum number of processors"), std::string::npos);
  EXPECT_NE(r.out.find("\nMAIN MENU\n\t* N  specify data or open existing session\n\t  V  descriptive attributes\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\t* E  preferences\n\t  S  save session\n\t* Z  run script\n\t* X  exit\n"),
            std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
  EXPECT_NE(r.out.find("X  exit\n---"), std::string::npos);
  EXPECT_NE(r.out.find("Enter option (valid options with *): "), std::string::npos);
  // Nothing to resume and no results file: no question before the menu.
  EXPECT_EQ(r.out.find("Wish to continue"), std::string::npos);
  EXPECT_EQ(r.out.find("An older file"), std::string::npos);
  // Refused letters (upper case is the same answer) do not reprint the menu.
  EXPECT_EQ(r.err, std::string(kRefusedH) + "\nIncorrect input = T. Reenter.\nAccepted input: N E Z X U J \n");
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 1);
  EXPECT_FALSE(f.exists("Zoviri.txt"));
}

TEST(Spine, InputEndingEarlyEndsWithTheEndOfFileMessage) {
  PlexorFolder f;
  PlexorRun r = f.run("h\n");
  EXPECT_EQ(r.status, 0);
  // The keyboard is named in the language of the dialogue.
  EXPECT_EQ(r.err, std::string(kRefusedH) + "\nfile keyboard \nEND OF FILE !!!\n\nPress RETURN to exit.\n");
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

TEST(Spine, ScriptEndingBeforeXEndsWithTheEndOfFileMessage) {
  PlexorFolder f;
  f.write("script.txt", "h\n");
  PlexorRun r = f.run("z\nf\nscript.txt\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find(std::string(kRefusedH) + "\nfile keyboard \nEND OF FILE !!!\n"), std::string::npos) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 2);  // the x typed later is never read
}

TEST(Spine, ScriptQuestionIsAlwaysAnsweredOnTheKeyboard) {
  PlexorFolder f;
  // A missing script is reported and the question asked again; the script's
  // Z is answered "k" from standard input, and the rest of the script is unused.
  f.write("script.txt", "h\nz\nk\nnot for the menu\n");
  PlexorRun r = f.run("z\nf\nnone.txt\nq\nf\nscript.txt\nk\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\ncan't open none.txt \n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nIncorrect input = q. Reenter.\nAccepted input: f k\n"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.err, kRefusedH), 1);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
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
    EXPECT_NE(r.err.find("\nIncorrect input = q. Reenter.\nAccepted input: a e\n"), std::string::npos);
    const std::string z = f.read("Zoviri.txt");
    EXPECT_EQ(z.rfind("older results\n", 0) == 0, c.kept) << c.portuguese << c.answer;
    EXPECT_NE(z.find(c.portuguese ? "PLEXOR versao 3.85b" : "PLEXOR version 3.85b"), std::string::npos);
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
    EXPECT_EQ(z.find("older results"), std::string::npos) << c.name;
    EXPECT_NE(z.find(c.firstRun.empty() ? "\nRESEMBLANCE MEASURES\n" : "\nORDINATION\n"), std::string::npos)
        << c.name;
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
  EXPECT_NE(track.find("\nthirds\n0\t\n3\t\n1\t2\t3\t\n1\t2\t3\t1\t"), std::string::npos);
}

TEST(Spine, PortugueseMenuAndEndOfFile) {
  PlexorFolder f;
  f.write("Plexor.prf", shelltest::PortuguesePreferences());
  PlexorRun r = f.run("h\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\nStatus da analise: Dados nao disponiveis.\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nMENU PRINCIPAL\n\t* N  especificar dados ou abrir sessao existente\n"), std::string::npos);
  EXPECT_NE(r.out.find("Entre opcao (opcoes validas com *): "), std::string::npos);
  EXPECT_NE(r.err.find("\nfile teclado \nARQUIVO INCOMPLETO !!!\n\nPressione RETURN para sair.\n"), std::string::npos)
      << r.err;
}

TEST(Spine, PathAnalysisRefusedForQualitativeData) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n2 1 3\n");
  PlexorRun r = f.run(NewData("d.txt", 3, 2, 3) + "f\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\n\n\nData type is not adequate for any option of path analysis.\nAnalysis status"),
            std::string::npos);
}

TEST(Preferences, DigitsUsedByTheDataEchoAndKeptInTheFile) {
  struct {
    const char* digits;
    const char* echoed;
    const char* stored;
  } cases[] = {{"12", "0.123456789012\t", "\n12\n6\n0\n"},
               {"0", "0.12346\t", "\n5\n6\n0\n"},
               {"40", "0.1234567890123455941031593852130754385144\t", "\n40\n6\n0\n"}};
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("d.txt", "0.1234567890123456 2\n");
    PlexorRun r = f.run(std::string("E\nF\n") + c.digits + "\n0\nC\n" + NewData("d.txt", 1, 1, 2) + "X\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(f.read("Zoviri.txt").find(c.echoed), std::string::npos) << c.digits;
    EXPECT_EQ(f.read("Plexor.prf").rfind(std::string("06Apr2012\n1\n0\n0.000000\n0.000000\n0.000000\n0.000000") +
                                             c.stored,
                                         0),
              0u)
        << f.read("Plexor.prf");
  }
}

TEST(Preferences, PortugueseLastsToTheNextStart) {
  PlexorFolder f;
  PlexorRun first = f.run("E\nL\nC\nX\n");
  ASSERT_EQ(first.status, 0);
  const size_t menu = first.out.find("\nPREFERENCES\nSet preferences of: \n   L  language (change to Portuguese/"
                                     "mudar para portugues)\n   F  output \n   M  multiprocessing \n"
                                     "   C  return to main menu \nType option: ");
  ASSERT_NE(menu, std::string::npos);
  EXPECT_NE(first.out.find("\nPREFERENCIAS\nAlterar preferencias em: \n", menu), std::string::npos);
  EXPECT_NE(first.out.find("MENU PRINCIPAL\n", menu), std::string::npos);

  PlexorRun second = f.run("X\n");
  EXPECT_NE(second.out.find("MENU PRINCIPAL\n"), std::string::npos);
  EXPECT_EQ(second.out.find("MAIN MENU"), std::string::npos);
}

TEST(Preferences, ProcessorLimitShownAsSetEvenBeyondTheMachine) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3 4 5 6 7 8\n");
  // Resemblance between units (Euclidean distances run in parallel) with the limit set.
  PlexorRun r = f.run("E\nM\n1000000\nC\n" + NewData("d.txt", 1, 4, 2) + "R\n1\n3\n0\nn\nX\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Maximum number of processors the program may use: 1000000\n"), std::string::npos);
  EXPECT_NE(r.out.find("Resemblance measure: (3)Euclidean distance"), std::string::npos);
  EXPECT_NE(f.read("Plexor.prf").find("\n1000000\n"), std::string::npos);
}

TEST(Preferences, DamagedOtherVersionOrShortFiles) {
  struct {
    const char* file;
    bool damaged;
    const char* menu;
  } cases[] = {{"06Apr2012\n0\n1\n0.0\nbroken\n", true, "MAIN MENU\n"},
               {"01Jan2000\n0\n1\n0\n0\n0\n0\n9\n6\n0\n", false, "MAIN MENU\n"},
               {"06Apr2012\n0\n1\n1.5\n2.5\n3.5\n4.5\n7\n3\n", false, "MENU PRINCIPAL\n"}};  // no processor line
  for (const auto& c : cases) {
    PlexorFolder f;
    f.write("Plexor.prf", c.file);
    PlexorRun r = f.run("E\nC\nX\n");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err.find("The preferences file Plexor.prf is damaged (line 5, scatter height: \"broken\"): default "
                         "preferences are used.") != std::string::npos,
              c.damaged)
        << r.err;
    EXPECT_NE(r.out.find(c.menu), std::string::npos) << c.file;
  }
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n0\n1\n1.5\n2.5\n3.5\n4.5\n7\n3\n");
  f.run("E\nC\nX\n");
  EXPECT_EQ(f.read("Plexor.prf").rfind("06Apr2012\n0\n1\n1.500000\n2.500000\n3.500000\n4.500000\n7\n3\n0\n", 0), 0u);
}

}  // namespace
