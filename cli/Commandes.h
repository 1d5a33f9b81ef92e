#pragma once
// Sub-commands of selvane-cli. Each returns the process exit status:
// 0 done, 2 bad input (French message on standard error).
namespace selvane {

int CommandeTheme(int argc, char** argv);
int CommandeEvenements(int argc, char** argv);
int CommandeNaissances(int argc, char** argv);
int CommandeAtlas(int argc, char** argv);
int CommandeZone(int argc, char** argv);
int CommandeGlyphes(int argc, char** argv);
int CommandeCadran(int argc, char** argv);
int CommandeArbre(int argc, char** argv);

}  // namespace selvane
