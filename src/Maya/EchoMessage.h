#pragma once
// One line into Maya's script editor through the MEL "print" command.

// Always 1. A text that does not fit the command buffer is not printed cut:
// nothing is printed.
int echoMessage(const char* text);
// Whether echoMessage prints the text (its command fits the buffer).
bool echoFits(const char* text);
