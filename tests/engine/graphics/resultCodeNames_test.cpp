// Result-code names: the rows callers depend on, the Win32/HRESULT pairing
// exceptions and codes outside the table.
#include "engine/graphics/resultCodeNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>

namespace {

struct NamedCode {
  std::uint32_t code;
  const char* name;
};

// Codes that the renderer, textures and sound log, plus the places where the
// Win32 code and its failure form 0x80070000 + code differ.
constexpr NamedCode kTellingRows[] = {
    {0x00000000, "S_OK"},
    {0x00000001, "S_FALSE"},
    {0x00000002, "ERROR_FILE_NOT_FOUND"},
    {0x00000005, "ERROR_ACCESS_DENIED"},
    {0x00000006, "ERROR_INVALID_HANDLE"},
    {0x0000000E, "ERROR_OUTOFMEMORY"},
    {0x00000057, "ERROR_INVALID_PARAMETER"},
    {0x000000C9, "ERROR_RELOC_CHAIN_XEEDS_SEGLIM"},
    {0x80004004, "E_ABORT"},
    {0x80004005, "E_FAIL"},
    {0x80040154, "REGDB_E_CLASSNOTREG"},
    {0x800401F0, "CO_E_NOTINITIALIZED"},
    {0x80070001, "ERROR_INVALID_FUNCTION"},
    {0x80070002, "ERROR_FILE_NOT_FOUND"},
    {0x80070005, "E_ACCESSDENIED"},
    {0x80070006, "E_HANDLE"},
    {0x8007000E, "E_OUTOFMEMORY"},
    {0x80070057, "E_INVALIDARG"},
    {0x8876017C, "D3DERR_OUTOFVIDEOMEMORY"},
    {0x88760827, "D3DERR_DRIVERINTERNALERROR"},
    {0x88760868, "D3DERR_DEVICELOST"},
    {0x88760869, "D3DERR_DEVICENOTRESET"},
    {0x8876086A, "D3DERR_NOTAVAILABLE"},
    {0x8876086C, "D3DERR_INVALIDCALL"},
    {0x0876086F, "D3DOK_NOAUTOGEN"},
    {0xC8770BB8, "D3DXERR_NOMEMORY"},
    {0x8878000A, "DSERR_ALLOCATED"},
    {0x88960001, "XAUDIO2_E_INVALID_CALL"},
    // Outside the table: DXGI, a Win32 code without a failure form, the
    // failure form of S_OK, and values between and beyond the families.
    {0x887A0001, "Unknown"},
    {0x800700C8, "Unknown"},
    {0x80070000, "Unknown"},
    {0x00FF0000, "Unknown"},
    {0xFFFFFFFF, "Unknown"},
};

TEST(ResultCodeNames, NamesEachTellingRow) {
  for (const NamedCode& row : kTellingRows) {
    EXPECT_STREQ(getResultCodeName(static_cast<std::int32_t>(row.code)), row.name)
        << std::hex << "code 0x" << row.code;
  }
}

TEST(ResultCodeNames, Win32ErrorsShareTheirNameWithTheirFailureForm) {
  for (std::uint32_t code = 2; code <= 0x3700; ++code) {
    const std::string win32 = getResultCodeName(static_cast<std::int32_t>(code));
    const std::string failure = getResultCodeName(static_cast<std::int32_t>(0x80070000u | code));
    if (win32 == "Unknown" || code == 5 || code == 6 || code == 14 || code == 87 || code == 0xC8 ||
        code == 0xC9) {
      continue;
    }
    EXPECT_EQ(failure, win32) << std::hex << "code 0x" << code;
  }
}

struct TableRow {
  std::uint32_t code;
  const char* name;
};

constexpr TableRow kTable[] = {
#include "engine/graphics/resultCodeNames_table.inc"
};

TEST(ResultCodeNames, TheTableHoldsOnlyResultCodes) {
  // The SDK headers define caps bits, flags and limits beside their codes,
  // some with values that look like codes. A name is a result code when it
  // has a result form (an ..ERR_.., .._E_.., .._S_.. or .._I_.. name, or a
  // family's own success prefix) or belongs to the Win32 error families.
  const std::regex resultForm("ERR_|(^|_)[ESI]_|^(D3DOK|DS|DV|DPNSUCCESS)_");
  const std::regex win32Family("^(ERROR|WSA|DNS|NTE|OR|OSS|RPC|SCARD|WAIT|WARNING)_?");
  for (const TableRow& row : kTable) {
    EXPECT_TRUE(std::regex_search(row.name, resultForm) || std::regex_search(row.name, win32Family))
        << std::hex << "0x" << row.code << " " << row.name;
  }
  // The flags that once stood in it name no code.
  for (std::uint32_t flag : {0x80000000u, 0x80010000u, 0x80020000u})
    EXPECT_STREQ(getResultCodeName(static_cast<std::int32_t>(flag)), "Unknown") << std::hex << flag;
}

}  // namespace
