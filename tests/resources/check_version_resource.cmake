# Compiles the configured Windows resource script and reads back, from the compiled resource,
# what Windows shows: the fixed version numbers, the Japanese Unicode string table, the
# translation and the 32 x 32, 256-colour icon.
#   cmake -DWINDRES=... -DPREPROCESSOR=cpp -DRC_FILE=kestrava.rc -DRES_FILE=out.res
#         -DRC_VERSION=1,0,0,0 -DRC_DISPLAY=1.00 -P check_version_resource.cmake

execute_process(
  COMMAND ${WINDRES} --preprocessor=${PREPROCESSOR} -O res -i ${RC_FILE} -o ${RES_FILE}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${RC_FILE} does not compile:\n${errors}")
endif()
file(READ ${RES_FILE} res HEX)

set(failures "")
function(expect what pattern)
  if(NOT res MATCHES "${pattern}")
    set(failures "${failures}\n  ${what}" PARENT_SCOPE)
  endif()
endfunction()

# A 16-bit number as little-endian hex.
function(word_hex number out)
  math(EXPR low "${number} & 255" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR high "(${number} >> 8) & 255" OUTPUT_FORMAT HEXADECIMAL)
  foreach(byte low high)
    string(REGEX REPLACE "^0x" "" ${byte} "${${byte}}")
    string(LENGTH "${${byte}}" length)
    if(length EQUAL 1)
      set(${byte} "0${${byte}}")
    endif()
  endforeach()
  set(${out} "${low}${high}" PARENT_SCOPE)
endfunction()

# Text as the NUL-terminated UTF-16LE the string table holds (ASCII only).
function(utf16_hex text out)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
  set(${out} "${hex}0000" PARENT_SCOPE)
endfunction()

# A string-table entry: its key, padding to a 32-bit boundary, its value.
function(expect_string key value)
  utf16_hex("${key}" key_hex)
  utf16_hex("${value}" value_hex)
  expect("${key} = \"${value}\"" "${key_hex}(0000)?${value_hex}")
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

string(REPLACE "," ";" numbers "${RC_VERSION}")
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 2 patch)
list(GET numbers 3 tweak)
foreach(part major minor patch tweak)
  word_hex(${${part}} ${part})
endforeach()
# VS_FIXEDFILEINFO: signature, structure version, then file and product version, each as the
# high dword (major, minor) and the low dword (patch, tweak), low word first.
set(fixed "${minor}${major}${tweak}${patch}")
expect("FILEVERSION and PRODUCTVERSION ${RC_VERSION}" "bd04effe00000100${fixed}${fixed}")

# Resource headers: type and name as ordinals (0xFFFF then the number), then data version,
# memory flags and the language, Japanese 0x0411.
expect("VERSIONINFO 1 in Japanese" "ffff1000ffff010000000000....1104")
expect("icon group 1 in Japanese" "ffff0e00ffff010000000000....1104")
# Icon group entry: 32 x 32, colour count 0 (256 or more), 1 plane, 8 bits a pixel.
expect("a 32 x 32, 256-colour icon" "20200000010008")

utf16_hex("041104B0" block)
expect("the Japanese Unicode string table 041104B0" "${block}")
expect_string(FileVersion "${RC_DISPLAY}")
expect_string(ProductVersion "${RC_DISPLAY}")
expect_string(ProductName "Kestrava")
expect_string(InternalName "kestrava")
expect_string(OriginalFilename "kestrava.exe")
utf16_hex("Translation" translation)
expect("Translation 0x0411, 0x04B0" "${translation}(0000)?1104b004")

if(failures)
  message(FATAL_ERROR "${RC_FILE} lacks:${failures}")
endif()
