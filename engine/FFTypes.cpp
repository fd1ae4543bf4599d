#include "engine/FFTypes.h"

// The neutral state lives in the member initialisers, so the two can never drift.
void InitInputOptions(TInputOptions& AOptions) { AOptions = TInputOptions{}; }

void InitOutputOptions(TOutputOptions& AOptions) { AOptions = TOutputOptions{}; }
