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
// 3 for an abandoned lunar return.
int CommandeRetours(int argc, char** argv);
int CommandeArc(int argc, char** argv);
int CommandeTable(int argc, char** argv);
int CommandeInterpretation(int argc, char** argv);
int CommandeSignification(int argc, char** argv);
int CommandeDirections(int argc, char** argv);
int CommandeTransits(int argc, char** argv);
int CommandeEphemerides(int argc, char** argv);
int CommandeArbres(int argc, char** argv);
int CommandeSequences(int argc, char** argv);
int CommandeMandala(int argc, char** argv);
int CommandeMaisons(int argc, char** argv);
int CommandeGraphe(int argc, char** argv);

}  // namespace selvane
