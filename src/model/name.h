// The name of a symbol or variable, shared by all copies of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

// The search copies terms and variables far more often than it reads their names, so a copy
// counts a reference to one text instead of copying it. One thread owns a run's names: the
// count is not atomic.
class TName {
public:
    TName() = default;
    TName(std::string Text) : Rep(Text.empty() ? nullptr : new TRep{1, std::move(Text)}) {}
    TName(const char* Text) : TName(std::string(Text)) {}
    TName(const TName& Other) : Rep(Other.Rep)
    {
        if (Rep)
            ++Rep->Refs;
    }
    TName(TName&& Other) noexcept : Rep(Other.Rep) { Other.Rep = nullptr; }
    TName& operator=(TName Other) noexcept
    {
        std::swap(Rep, Other.Rep);
        return *this;
    }
    ~TName()
    {
        if (Rep && --Rep->Refs == 0)
            delete Rep;
    }

    const std::string& Str() const { return Rep ? Rep->Text : Empty(); }
    operator const std::string&() const { return Str(); }
    std::size_t size() const { return Str().size(); }
    bool empty() const { return !Rep; }
    char operator[](std::size_t I) const { return Str()[I]; }
    const char* c_str() const { return Str().c_str(); }

    friend bool operator==(const TName& A, const TName& B)
    {
        return A.Rep == B.Rep || A.Str() == B.Str();
    }
    friend bool operator==(const TName& A, const std::string& B) { return A.Str() == B; }
    friend bool operator==(const TName& A, const char* B) { return A.Str() == B; }
    friend std::string operator+(const std::string& A, const TName& B) { return A + B.Str(); }
    friend std::string operator+(const TName& A, const std::string& B) { return A.Str() + B; }
    friend std::string operator+(const char* A, const TName& B) { return A + B.Str(); }
    friend std::string operator+(const TName& A, const char* B) { return A.Str() + B; }
    friend std::ostream& operator<<(std::ostream& Out, const TName& N) { return Out << N.Str(); }

private:
    struct TRep {
        std::int32_t Refs;
        std::string Text;
    };
    static const std::string& Empty()
    {
        static const std::string Text;
        return Text;
    }
    TRep* Rep = nullptr;
};
