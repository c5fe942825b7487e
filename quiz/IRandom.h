#pragma once

// The C library's generator, as every draw re-seeds and uses it. Tests supply their own.
class IRandom
{
  public:
    virtual ~IRandom() = default;
    virtual void Seed(unsigned nSeed) = 0;
    virtual int Next() = 0;
};

// std::rand, seeded with std::srand.
class RuntimeRandom : public IRandom
{
  public:
    void Seed(unsigned nSeed) override;
    int Next() override;
};
