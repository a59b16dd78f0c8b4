# The setup program: `make dist` (target dist) builds <build>/<product>-Setup-<major>.<minor>.exe
# with NSIS from packaging/installer.nsi.in, branded from the BRAND_* settings. With SIGN_CERT and
# SIGN_KEY (a vendor's code-signing certificate and key) the program, the uninstaller and the
# setup are signed with osslsigncode; the key's password comes from the environment
# (SIGN_PASSWORD), never from the cache.
set(SIGN_CERT "" CACHE FILEPATH "Code-signing certificate (PEM or DER) for the setup; empty: unsigned")
set(SIGN_KEY "" CACHE FILEPATH "Private key of SIGN_CERT (PEM or DER)")
set(SIGN_TIMESTAMP "" CACHE STRING "Time-stamping server for the signatures; empty: none")

# Text inside an NSIS string: "$" starts a variable and '"' would end the string.
function(nsis_escape out text)
  string(REPLACE "$" "$$" text "${text}")
  string(REPLACE "\"" "$\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
# The stores the program opens take the brand trimmed.
string(STRIP "${BRAND_PRODUCT}" productTrimmed)
string(STRIP "${BRAND_COMPANY}" companyTrimmed)
nsis_escape(NSIS_PRODUCT "${productTrimmed}")
nsis_escape(NSIS_COMPANY "${companyTrimmed}")
nsis_escape(NSIS_WEBSITE_URL "${BRAND_WEBSITE_URL}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/installer.nsi.in
               ${CMAKE_BINARY_DIR}/packaging/installer.nsi @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/License.txt ${CMAKE_BINARY_DIR}/packaging/License.txt
               @ONLY NEWLINE_STYLE CRLF)

# A product name may hold characters that no file name may.
string(REGEX REPLACE "[\\\\/:*?\"<>|]" "_" setupName "${productTrimmed}")
set(SETUP_FILE
  ${CMAKE_BINARY_DIR}/${setupName}-Setup-${BRAND_VERSION_MAJOR}.${BRAND_VERSION_MINOR}.exe)

find_program(MAKENSIS makensis)
if(MAKENSIS)
  add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E env "SIGN_CERT=${SIGN_CERT}" "SIGN_KEY=${SIGN_KEY}"
            "SIGN_TIMESTAMP=${SIGN_TIMESTAMP}" "SIGN_DESCRIPTION=${productTrimmed}"
            "SIGN_URL=${BRAND_WEBSITE_URL}"
            sh ${CMAKE_SOURCE_DIR}/packaging/make-setup.sh ${CMAKE_BINARY_DIR} ${SETUP_FILE}
    COMMENT "Building the setup ${SETUP_FILE}"
    VERBATIM)
  add_dependencies(dist AntiSpyware program_data)
  if(TARGET help_file)
    add_dependencies(dist help_file)
  endif()
else()
  add_custom_target(dist
    COMMAND ${CMAKE_COMMAND} -E echo "makensis (Debian package nsis) is missing: run tools/install-deps.sh"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()

# The signing of a program with a certificate made for the test, checked with osslsigncode.
add_test(NAME packaging_signing
  COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/signing.sh ${CMAKE_BINARY_DIR})
set_tests_properties(packaging_signing PROPERTIES LABELS packaging TIMEOUT 60)

# Tier 3: the setup as a user meets it, in a Wine prefix of its own: silent install, the
# installed program starting and closing, silent uninstall.
add_test(NAME desktop_installer
  COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/installer.sh
          ${CMAKE_BINARY_DIR} $<TARGET_FILE:desktop_driver>)
set_tests_properties(desktop_installer PROPERTIES LABELS desktop TIMEOUT 300
  ENVIRONMENT "BRAND_PRODUCT=${productTrimmed};BRAND_COMPANY=${companyTrimmed};BRAND_VERSION=${BRAND_VERSION_MAJOR}.${BRAND_VERSION_MINOR};BRAND_WEBSITE_URL=${BRAND_WEBSITE_URL}")
