// Inputs and the exact console text each dialogue must answer them with, shared by the
// in-process and the whole-program tests.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

struct DialogueCase {
    const char* name;
    std::string input;
    std::string output;
    bool accepted; // exit status 0, else 1
};

namespace texts {
inline const std::string promptABC = "unesite koordinate temena trougla ABC\n";
inline const std::string promptA2B2C2 = "unesite koordinate temena trougla A'B'C'\n";
inline const std::string collinearABC =
    "uneli ste tri kolinearne tacke kao koordinate trougla ABC, pokusajte ponovo\n";
inline const std::string collinearA2B2C2 =
    "uneli ste tri kolinearne tacke kao koordinate trougla A'B'C', pokusajte ponovo\n";
inline const std::string invalidABC =
    "uneli ste neispravne koordinate trougla ABC, pokusajte ponovo\n";
inline const std::string invalidA2B2C2 =
    "uneli ste neispravne koordinate trougla A'B'C', pokusajte ponovo\n";
inline const std::string header =
    "matrica preslikavanja koja slika trougao ABC u trougao A'B'C' je\n";
inline const std::string bothPrompts = promptABC + promptA2B2C2;

inline const std::string promptParallelogram = "unesite temena paralelograma\n";
inline const std::string collinearParallelogram =
    "uneli ste tri kolinearne tacke kao koordinate temena paralelograma, pokusajte ponovo\n";
inline const std::string invalidParallelogram =
    "uneli ste neispravne koordinate temena paralelograma, pokusajte ponovo\n";
} // namespace texts

inline std::string fourthVertexLine(const char* x, const char* y) {
    return std::string("koordinate temena D paralelograma su x=") + x + ", y=" + y + "\n";
}

inline const std::string unitToTargetReport = texts::bothPrompts + texts::header +
                                              "2.000000 0.000000 1.000000 \n"
                                              "0.000000 3.000000 1.000000 \n"
                                              "0.000000 0.000000 1.000000 \n"
                                              "koordinate slike tacke a su x=1.000000 y=1.000000\n"
                                              "koordinate slike tacke b su x=3.000000 y=1.000000\n"
                                              "koordinate slike tacke c su x=1.000000 y=4.000000\n";

inline const std::vector<DialogueCase> triangleCases = {
    {"Accepted", "0 0 1 0 0 1\n1 1 3 1 1 4\n", unitToTargetReport, true},
    {"OneNumberPerLine", "0\n0\n1\n0\n0\n1\n1\n1\n3\n1\n1\n4\n", unitToTargetReport, true},
    {"AllOnOneLineWithoutNewline", "0 0 1 0 0 1 1 1 3 1 1 4", unitToTargetReport, true},
    {"NonIntegerInverse", "1 1 3 1 1 4\n0 0 1 0 0 1\n",
     texts::bothPrompts + texts::header +
         "0.500000 0.000000 -0.500000 \n"
         "0.000000 0.333333 -0.333333 \n"
         "0.000000 0.000000 1.000000 \n"
         "koordinate slike tacke a su x=0.000000 y=0.000000\n"
         "koordinate slike tacke b su x=1.000000 y=0.000000\n"
         "koordinate slike tacke c su x=0.000000 y=1.000000\n",
     true},
    {"OppositeOrientationNoNegativeZero", "0 0 1 0 0 1\n0 0 0 1 1 0\n",
     texts::bothPrompts + texts::header +
         "0.000000 1.000000 0.000000 \n"
         "1.000000 0.000000 0.000000 \n"
         "0.000000 0.000000 1.000000 \n"
         "koordinate slike tacke a su x=0.000000 y=0.000000\n"
         "koordinate slike tacke b su x=0.000000 y=1.000000\n"
         "koordinate slike tacke c su x=1.000000 y=0.000000\n",
     true},
    {"CollinearSource", "0 0 1 1 2 2\n1 1 3 1 1 4\n", texts::promptABC + texts::collinearABC,
     false},
    {"RepeatedVertex", "1 1 1 1 5 5\n", texts::promptABC + texts::collinearABC, false},
    {"CollinearTarget", "0 0 1 0 0 1\n2 2 2 2 2 2\n", texts::bothPrompts + texts::collinearA2B2C2,
     false},
    {"EmptyInput", "", texts::promptABC + texts::invalidABC, false},
    {"SourceCutShort", "0 0 1 0 0", texts::promptABC + texts::invalidABC, false},
    {"SourceNotANumber", "0 0 1 zero 0 1\n1 1 3 1 1 4\n", texts::promptABC + texts::invalidABC,
     false},
    {"TargetMissing", "0 0 1 0 0 1\n", texts::bothPrompts + texts::invalidA2B2C2, false},
    {"TargetNotANumber", "0 0 1 0 0 1\n1 1 x 1 1 4\n", texts::bothPrompts + texts::invalidA2B2C2,
     false},
    {"SourceInfinite", "0 0 inf 0 0 1\n1 1 3 1 1 4\n", texts::promptABC + texts::invalidABC, false},
    {"SourceNan", "0 0 1 0 nan 1\n1 1 3 1 1 4\n", texts::promptABC + texts::invalidABC, false},
    {"SourceBeyondFloat", "0 0 1e39 0 0 1\n1 1 3 1 1 4\n", texts::promptABC + texts::invalidABC,
     false},
    {"SourceDifferenceOverflows", "-3e38 0 3e38 0 0 1\n1 1 3 1 1 4\n",
     texts::promptABC + texts::invalidABC, false},
    {"SourceReciprocalOverflows", "0 0 1e-20 0 0 1e-20\n1 1 3 1 1 4\n",
     texts::promptABC + texts::invalidABC, false},
    {"TargetInfinite", "0 0 1 0 0 1\n1 1 3 1 -inf 4\n", texts::bothPrompts + texts::invalidA2B2C2,
     false},
    {"TargetDifferenceOverflows", "0 0 1 0 0 1\n3e38 0 -3e38 0 0 1\n",
     texts::bothPrompts + texts::invalidA2B2C2, false},
    {"MatrixOverflows", "0 0 1e-19 0 0 1e-19\n0 0 1e30 0 0 1e30\n",
     texts::bothPrompts + texts::invalidA2B2C2, false},
};

inline const std::vector<DialogueCase> parallelogramCases = {
    {"Rectangle", "0 0 4 0 4 3\n",
     texts::promptParallelogram + fourthVertexLine("0.000000", "3.000000"), true},
    {"Slanted", "1 1 5 2 6 5\n",
     texts::promptParallelogram + fourthVertexLine("2.000000", "4.000000"), true},
    {"OneNumberPerLine", "1\n1\n5\n2\n6\n5\n",
     texts::promptParallelogram + fourthVertexLine("2.000000", "4.000000"), true},
    {"NearlyCollinearStillGetsItsFourthVertex", "0 0 100 0 200 0.1\n",
     texts::promptParallelogram + fourthVertexLine("100.000000", "0.100000"), true},
    {"Collinear", "0 0 1 1 2 2\n", texts::promptParallelogram + texts::collinearParallelogram,
     false},
    {"RepeatedVertex", "1 1 1 1 3 5\n", texts::promptParallelogram + texts::collinearParallelogram,
     false},
    {"EmptyInput", "", texts::promptParallelogram + texts::invalidParallelogram, false},
    {"CutShort", "0 0 4", texts::promptParallelogram + texts::invalidParallelogram, false},
    {"NotANumber", "0 0 4 0 four 3\n", texts::promptParallelogram + texts::invalidParallelogram,
     false},
    {"Infinite", "0 0 4 0 4 INF\n", texts::promptParallelogram + texts::invalidParallelogram,
     false},
    {"Nan", "nan 0 4 0 4 3\n", texts::promptParallelogram + texts::invalidParallelogram, false},
    {"BeyondFloat", "0 0 4 0 4 -1e40\n", texts::promptParallelogram + texts::invalidParallelogram,
     false},
    {"FourthVertexOverflows", "3e38 0 0 0 3e38 1\n",
     texts::promptParallelogram + texts::invalidParallelogram, false},
};

// Names the case in test output instead of dumping its bytes.
inline void PrintTo(const DialogueCase& c, std::ostream* os) {
    *os << c.name;
}

inline std::string caseName(const testing::TestParamInfo<DialogueCase>& info) {
    return info.param.name;
}
