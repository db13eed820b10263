// The program as a user meets it: start-up in a folder, the main menu, refused
// letters, end of input, script files given through option Z, the results
// file question and the session offered again at the next start.
#include <gtest/gtest.h>

#include <string>

#include "support/RunPlexor.h"

namespace {

const char* const kRefusedH = "\nIncorrect input = h. Reenter.\nAccepted input: N E Z X U J \n";
const char* const kScriptQuestion = "Read input from file (f) or from the keyboard (k)? f/k ";
const char* const kScriptName = "Enter name of text file with all the options: ";

// Reads the 2 x 3 table of d.txt as quantitative data of one scale (kind
// `kind`), values by sampling units, default labels, echoed to Zoviri.txt.
std::string NewData(const char* kind) {
  return std::string("n\nn\nd.txt\n") + kind + "\n2\n3\nn\n1\ny\n";
}

std::string Without(std::string s, const std::string& part) {
  for (size_t p = s.find(part); p != std::string::npos; p = s.find(part)) s.erase(p, part.size());
  return s;
}

TEST(Spine, FirstStartShowsBannerAndOnlyNEZXStarred) {
  PlexorFolder f;
  PlexorRun r = f.run("x\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\n\n\nPLEXOR\n"), std::string::npos);
  EXPECT_NE(r.out.find("v.3.85b\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nMAIN MENU\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t* N  specify data or open existing session\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t* E  preferences\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t* Z  run script\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t* X  exit\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t  V  descriptive attributes\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t  S  save session\n"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
  EXPECT_NE(r.out.find("Enter option (valid options with *): "), std::string::npos);
  // Nothing to resume and no results file: no question before the menu.
  EXPECT_EQ(r.out.find("Wish to continue"), std::string::npos);
  EXPECT_EQ(r.out.find("An older file"), std::string::npos);
  EXPECT_EQ(r.err.find("Incorrect input"), std::string::npos);
  EXPECT_FALSE(f.exists("Zoviri.txt"));
}

TEST(Spine, UnofferedLetterIsRefusedWithoutReprintingTheMenu) {
  PlexorFolder f;
  PlexorRun r = f.run("h\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find(kRefusedH), std::string::npos) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 1);
  // Upper case is the same answer; letters of analyses needing data are refused.
  r = f.run("T\nX\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\nIncorrect input = t. Reenter.\n"), std::string::npos) << r.err;
}

TEST(Spine, InputEndingEarlyEndsWithTheEndOfFileMessage) {
  PlexorFolder f;
  PlexorRun r = f.run("");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\nEND OF FILE !!!\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nPress RETURN to exit.\n"), std::string::npos);
  EXPECT_NE(r.out.find("MAIN MENU"), std::string::npos);

  r = f.run("h\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find(kRefusedH), std::string::npos);
  EXPECT_NE(r.err.find("\nEND OF FILE !!!\n"), std::string::npos);
}

TEST(Spine, ScriptDrivesTheMenuAsTypedAnswersWould) {
  const std::string body = "h\ne\nc\nh\nx\n";
  PlexorFolder typed;
  PlexorRun t = typed.run("z\nk\n" + body);
  PlexorFolder scripted;
  scripted.write("script.txt", body);
  PlexorRun s = scripted.run("z\nf\nscript.txt\n");
  EXPECT_EQ(t.status, 0);
  EXPECT_EQ(s.status, 0);
  EXPECT_EQ(CountOccurrences(s.err, kRefusedH), 2);
  EXPECT_EQ(s.err.find("END OF FILE"), std::string::npos) << s.err;
  EXPECT_NE(s.out.find(kScriptName), std::string::npos);
  EXPECT_EQ(Without(s.out, kScriptName), t.out);
  EXPECT_EQ(s.err, t.err);
  EXPECT_EQ(scripted.read("Plexor.prf").empty(), typed.read("Plexor.prf").empty());
}

TEST(Spine, ScriptWithFreeWhiteSpaceIsReadToTheEnd) {
  PlexorFolder f;
  f.write("script.txt", "  h \t\n\n  H   x");
  PlexorRun r = f.run("z\nf\nscript.txt\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(CountOccurrences(r.err, kRefusedH), 2);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos);
}

TEST(Spine, ScriptEndingBeforeXEndsWithTheEndOfFileMessage) {
  PlexorFolder f;
  f.write("script.txt", "h\n");
  PlexorRun r = f.run("z\nf\nscript.txt\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find(kRefusedH), std::string::npos);
  EXPECT_NE(r.err.find("\nEND OF FILE !!!\n"), std::string::npos) << r.err;
  // The script, not the keyboard, answers after Z: the x typed later is unused.
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 2);
}

TEST(Spine, ScriptQuestionIsAlwaysAnsweredOnTheKeyboard) {
  PlexorFolder f;
  // The script chooses Z; the answer "k" then comes from standard input, and
  // the rest of the script is never read.
  f.write("script.txt", "h\nz\nk\nnot for the menu\n");
  PlexorRun r = f.run("z\nf\nscript.txt\nk\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(CountOccurrences(r.err, kRefusedH), 1);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, kScriptQuestion), 2);
}

TEST(Spine, MissingScriptIsReportedAndTheQuestionAskedAgain) {
  PlexorFolder f;
  PlexorRun r = f.run("z\nf\nnone.txt\nq\nk\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\ncan't open none.txt \n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nIncorrect input = q. Reenter.\nAccepted input: f k\n"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, kScriptQuestion), 2);
  EXPECT_EQ(CountOccurrences(r.out, "MAIN MENU"), 2);
}

TEST(Spine, ExistingResultsFileAsksEraseOrAppend) {
  PlexorFolder f;
  f.write("Zoviri.txt", "older results\n");
  PlexorRun r = f.run("q\ne\nx\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("An older file Zoviri.txt was found. Wish to erase(e) or append(a)? "), std::string::npos);
  EXPECT_NE(r.err.find("\nIncorrect input = q. Reenter.\nAccepted input: a e\n"), std::string::npos);
  // The question comes before the menu, and nothing is written until an analysis writes.
  EXPECT_LT(r.out.find("An older file"), r.out.find("MAIN MENU"));
  EXPECT_EQ(f.read("Zoviri.txt"), "older results\n");
}

TEST(Spine, EraseAnswerLetsTheFirstWriteReplaceTheResultsFile) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n4 5 6\n");
  f.write("Zoviri.txt", "older results\n");
  PlexorRun r = f.run("e\n" + NewData("1") + "x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.find("older results"), std::string::npos);
  EXPECT_NE(z.find("PLEXOR version 3.85b"), std::string::npos) << z;
}

TEST(Spine, AppendAnswerKeepsTheOlderResults) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n4 5 6\n");
  f.write("Zoviri.txt", "older results\n");
  PlexorRun r = f.run("a\n" + NewData("1") + "x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  std::string z = f.read("Zoviri.txt");
  EXPECT_EQ(z.rfind("older results\n", 0), 0u) << z;
  EXPECT_NE(z.find("PLEXOR version 3.85b"), std::string::npos);
}

TEST(Spine, DataOpenTheStageOneEntriesAndAreOfferedAgainAtTheNextStart) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n4 5 6\n");
  PlexorRun r = f.run(NewData("1") + "x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  // Second pass of the menu, stage 1: everything but O, C, P and A.
  size_t second = r.out.find("MAIN MENU", r.out.find("MAIN MENU") + 1);
  ASSERT_NE(second, std::string::npos);
  std::string menu = r.out.substr(second);
  EXPECT_EQ(CountOccurrences(menu, "\t* "), 13);
  EXPECT_NE(menu.find("\t  O  ordination\n"), std::string::npos);
  EXPECT_NE(menu.find("\t* T  transform data\n"), std::string::npos);
  EXPECT_TRUE(f.exists("Sessao.trk"));

  // Next start: resume (stage 1) ...
  r = f.run("y\na\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Wish to continue analysis session with data file d.txt? y/n "), std::string::npos);
  EXPECT_LT(r.out.find("Wish to continue"), r.out.find("An older file"));
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 13);

  // ... or decline (stage 0).
  r = f.run("n\na\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
}

TEST(Spine, NamedSessionIsOfferedByName) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n4 5 6\n");
  PlexorRun r = f.run(NewData("1") + "s\nmine\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(f.exists("mine.trk"));
  r = f.run("y\na\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Wish to continue analysis session mine with data file d.txt? y/n "), std::string::npos)
      << r.out;
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 13);
}

TEST(Spine, PointerToAMissingTrackAsksNothing) {
  PlexorFolder f;
  f.write("Sessao.trk", "ghost\n");
  PlexorRun r = f.run("x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("Wish to continue"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
}

TEST(Spine, EmptyPointerFileIsReportedAndTheProgramGoesOnWithoutData) {
  PlexorFolder f;
  f.write("Sessao.trk", "");
  PlexorRun r = f.run("x\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("File Sessao.trk is empty or damaged; no session is resumed."), std::string::npos);
  EXPECT_EQ(r.err.find("END OF FILE"), std::string::npos);
  EXPECT_NE(r.out.find("\nMAIN MENU\n"), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
}

TEST(Spine, TrackOfAnotherVersionLeavesNoData) {
  PlexorFolder f;
  f.write("Sessao.trk", "Sessao\nd.txt\n01/Jan/2000\n0\n0\n0\n0\n");
  PlexorRun r = f.run("y\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Wish to continue analysis session with data file d.txt? y/n "), std::string::npos);
  EXPECT_NE(r.out.find("Previous analysis done with incompatible version of Plexor."), std::string::npos);
  EXPECT_EQ(CountOccurrences(r.out, "\t* "), 4);
}

TEST(Spine, PathAnalysisRefusedForQualitativeData) {
  PlexorFolder f;
  f.write("d.txt", "1 2 3\n2 1 3\n");
  PlexorRun r = f.run(NewData("3") + "f\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nData type is not adequate for any option of path analysis."), std::string::npos);
  EXPECT_EQ(r.out.find("/nData type"), std::string::npos);
}

TEST(Spine, PortugueseMenuAndResultsFileQuestion) {
  PlexorFolder f;
  f.write("Plexor.prf", "06Apr2012\n0\n1\n0.000000\n0.000000\n0.000000\n0.000000\n5\n6\n0\n");
  f.write("Zoviri.txt", "x\n");
  PlexorRun r = f.run("a\nh\nx\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Ja existe o arquivo Zoviri.txt. Apagar(a) ou emendar(e)? "), std::string::npos);
  EXPECT_NE(r.out.find("\nMENU PRINCIPAL\n"), std::string::npos);
  EXPECT_NE(r.out.find("\t* N  especificar dados ou abrir sessao existente\n"), std::string::npos);
  EXPECT_NE(r.out.find("Entre opcao (opcoes validas com *): "), std::string::npos);
  EXPECT_NE(r.err.find(kRefusedH), std::string::npos);

  r = f.run("e\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("\nARQUIVO INCOMPLETO !!!\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\nPressione RETURN para sair.\n"), std::string::npos);
}

}  // namespace
