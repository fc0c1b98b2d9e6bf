#pragma once
// The program names its fonts by their Windows names ("Arial Narrow", "Verdana", ...). On a
// desktop without those fonts, InstallFontSubstitutes maps each name to an installed look-alike of
// the same shape and width, so texts keep their intended proportions. Call it once after the
// QGuiApplication exists and before the first window is made; a font that is installed under its
// own name keeps it.
void InstallFontSubstitutes();
