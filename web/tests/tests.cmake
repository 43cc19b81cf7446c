# The WebAssembly build's tests, labelled "web": slow (a second build with
# another toolchain, a browser), so they are asked for with
# -DSNPVET_WEB_TESTS=ON and run by .ci/run, not by the README's test command.
# Each exits 77 (skipped), saying why, where a tool it needs is missing.
set(WEB_BUILD ${CMAKE_BINARY_DIR}/web)
set(WEB_SITE ${WEB_BUILD}/site)
find_program(NODE_EXECUTABLE node)
if(NOT NODE_EXECUTABLE)
  message(STATUS "Web tests: node not found; they will be skipped")
  set(NODE_EXECUTABLE node)
endif()

add_test(NAME web.build COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/web/build.sh ${WEB_BUILD})
add_test(NAME web.module
  COMMAND ${NODE_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/web/tests/module_test.mjs
          ${WEB_SITE} $<TARGET_FILE:snpvet> ${Python3_EXECUTABLE})
add_test(NAME web.browser
  COMMAND ${NODE_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/web/tests/browser_test.mjs
          ${WEB_SITE} $<TARGET_FILE:snpvet> ${WEB_BUILD}/artefacts)
set_tests_properties(web.build PROPERTIES FIXTURES_SETUP web_site)
set_tests_properties(web.module web.browser PROPERTIES FIXTURES_REQUIRED web_site)
set_tests_properties(web.build web.module web.browser PROPERTIES
  LABELS web SKIP_RETURN_CODE 77 TIMEOUT 900)
