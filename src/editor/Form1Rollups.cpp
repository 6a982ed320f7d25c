// Totals of costs, dates and efforts shown on the record tabs.

#include "editor/Form1.h"

namespace editor {

void Form1::CalculateCarInfo() { }
void Form1::CalculateAssemblyInfo() { }
void Form1::CalculateComponentInfo() { }
void Form1::CalculatePhaseInfo() { }
void Form1::CalculateActivityInfo() { }
void Form1::RecalcCosts() { }
void Form1::RecalcDates() { }

} // namespace editor
