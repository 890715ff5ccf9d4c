// Random block structures for the tests of the statement executor.
#pragma once

#include <random>
#include <string>

#include "tests/support/temp_dir.hpp"

namespace korvan::test {

// Random block structures: nested and mismatched IF, loop, SWITCH, GOTO and
// routine statements. Every loop is bounded: DO variables are never assigned,
// WHILE conditions and backward jumps depend on counters that only grow.
class BlockScriptGenerator {
public:
    explicit BlockScriptGenerator(unsigned seed) : rng_(seed) {}

    std::string script(int statements)
    {
        std::string out = "W = 0\nG = 0\nR = 5\n";
        labels_ = 0;
        for (int i = 0; i < statements; ++i)
            out += statement();
        return out;
    }

    // Writes the routine files the scripts call into the directory: rr.kfl with
    // the subroutine RR and ff.kfl with the function FF. Called before script(),
    // as both draw from the same random sequence.
    void write_routines(const TempDir& dir)
    {
        dir.write("rr.kfl", "%KFL\nSUBROUTINE RR\n" + routine_body(25));
        dir.write("ff.kfl", "%KFL\nFUNCTION FF (N)\n" + routine_body(10) + "RETURN N\nEND\n");
    }

private:
    std::string routine_body(int statements)
    {
        std::string out;
        for (int i = 0; i < statements; ++i)
            out += statement(false);
        if (pick(4) != 0)
            out += "END\n";  // sometimes missing
        return out;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string number() { return std::to_string(pick(4)); }

    std::string statement(bool calls = true)
    {
        switch (pick(calls ? 30 : 28)) {
        case 0: return "IF (R > " + number() + ")\n";
        case 1: return "IF (" + number() + ") PRINT " + number() + "\n";
        case 2: return "ELSEIF (" + number() + ")\n";
        case 3: return "ELSE IF (" + number() + ")\n";
        case 4: return "ELSE\n";
        case 5: return pick(2) ? "ENDIF\n" : "END IF\n";
        case 6:
        case 7: {
            static const char* const ranges[] = {"1, 3", "3, 1", "1, 2, 0.5", "2, 1, -1", "0, 1, 0.25", "1, 1"};
            return "DO L" + std::to_string(do_count_++) + " = " + ranges[pick(6)] + "\n";
        }
        case 8:
        case 9: return "END DO\n";
        case 10: return "WHILE (W < " + std::to_string(3 + pick(3)) + ")\nW = W + 1\n";
        case 11: return "END WHILE\n";
        case 12: return "SWITCH (" + number() + ")\n";
        case 13: return "CASE " + number() + ":\n";
        case 14: return "DEFAULT:\n";
        case 15: return "END SWITCH\n";
        case 16: return "BREAK\n";
        case 17: return "CONTINUE\n";
        case 18: return "X" + std::to_string(labels_++) + ":\n";
        case 19: return "GOTO X" + std::to_string(labels_ + pick(3)) + "\n";
        case 20:
            if (labels_ == 0)
                return "PRINT 0\n";
            return "G = G + 1\nIF (G < 40) GOTO X" + std::to_string(pick(labels_)) + "\n";
        case 21: return "END\n";
        case 22: return "RETURN\n";
        case 23: return "PRINT " + number() + "\n";
        case 24: return "IF (" + number() + ") BREAK\n";
        case 25: return "IF (" + number() + ") CONTINUE\n";
        case 26: return "EXTERN R\n";
        case 27: return "R = R - 1\n";
        case 28: return "CALL RR\n";
        default: return "Y = FF(" + number() + ")\n";
        }
    }

    std::mt19937 rng_;
    int labels_ = 0;
    int do_count_ = 0;
};

}  // namespace korvan::test
