# Resources that a Windows program of ours carries besides its code.
#
# vorsa_version_resource(TARGET JA text EN text) gives TARGET a version
# resource: the project's version as file and product version, the product
# name, the copyright, and TARGET's description in Japanese and in English,
# one string block for each language. The descriptions are kept as the
# target's properties VORSA_DESCRIPTION_JA and VORSA_DESCRIPTION_EN, for the
# test that reads the resource back.
function(vorsa_version_resource target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "JA;EN" "")
  set(patch 0)
  if(PROJECT_VERSION_PATCH)
    set(patch ${PROJECT_VERSION_PATCH})
  endif()
  set(vorsa_version_numbers "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${patch},0")
  set(vorsa_description_ja "${arg_JA}")
  set(vorsa_description_en "${arg_EN}")
  set(vorsa_internal_name ${target})
  set(vorsa_file_name ${target}.exe)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_target_properties(${target} PROPERTIES
    VORSA_DESCRIPTION_JA "${arg_JA}" VORSA_DESCRIPTION_EN "${arg_EN}")
endfunction()
