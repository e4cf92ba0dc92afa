#pragma once

#include <optional>
#include <string_view>

namespace lumavo {

enum class LoanPart
{
    S, // 商业贷款 commercial
    G, // 公积金贷款 provident fund
};

// Index of a part in the pairs a schedule keeps: commercial first.
inline int PartIndex(LoanPart part)
{
    return part == LoanPart::S ? 0 : 1;
}

inline LoanPart OtherPart(LoanPart part)
{
    return part == LoanPart::S ? LoanPart::G : LoanPart::S;
}

// The letter backup files, the plan list and lumavo-cli write for a part.
inline const char* PartLetter(LoanPart part)
{
    return part == LoanPart::S ? "S" : "G";
}

// The part a letter names; none for any other text.
inline std::optional<LoanPart> PartOfLetter(std::string_view letter)
{
    if (letter == "S")
        return LoanPart::S;
    if (letter == "G")
        return LoanPart::G;
    return std::nullopt;
}

} // namespace lumavo
