# Compiles the Windows version record, has windres write the result back as a script, which
# shows what Windows reads from the executable, and looks there for the version and the names.
#   cmake -DWINDRES=... -DCPP=cpp -DRC=kestrava.rc -DOUT=dir/kestrava -DVERSION=1,0,0,0
#         -DDISPLAY=1.00 -P check_version_resource.cmake

execute_process(COMMAND ${WINDRES} --preprocessor=${CPP} -O res -i ${RC} -o ${OUT}.res
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${WINDRES} -i ${OUT}.res -O rc -o ${OUT}.rc COMMAND_ERROR_IS_FATAL ANY)
file(READ ${OUT}.rc compiled)

string(REPLACE "," ", " version "${VERSION}")
foreach(expected "LANGUAGE 17, 1" "FILEVERSION ${version}" "PRODUCTVERSION ${version}"
    "BLOCK \"041104B0\"" "\"Translation\", 0x411, 1200"
    "\"FileVersion\", \"${DISPLAY}\"" "\"ProductVersion\", \"${DISPLAY}\""
    "\"ProductName\", \"Kestrava\"" "\"InternalName\", \"kestrava\""
    "\"OriginalFilename\", \"kestrava.exe\""
    # the maker, KS and the two kanji of 工房, read back as UTF-16
    "\"CompanyName\", L\"KS\\x5de5\\x623f\""
    # the icon group's 32 x 32 entry with 8 bits a pixel
    "\"\\040\\040\\000\\000\", 1, 8,")
  string(FIND "${compiled}" "${expected}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${RC} compiles without ${expected}")
  endif()
endforeach()
