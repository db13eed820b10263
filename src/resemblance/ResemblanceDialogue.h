// Questions shared by the resemblance dialogues.
#pragma once

namespace rsmdlg {

// Status block and title on the console.
void ShowHeading();
// Direction menu: entries 1, 2 and, when withCancel, 99. Returns the answer.
int AskDirection(bool withCancel);
// Measure menu, entries 1..last, filtered for the direction and data type.
int AskMeasure(int dir, int last);
// Parameters of the chosen measure, asked only where the measure uses them;
// the values passed in are returned unchanged otherwise.
void AskParameters(int measure, bool accentedGower, double kMax, int* countDoubleAbsence, double* alpha,
                   double* k);

}  // namespace rsmdlg
