# Run by CPack before it packs: every directory of the package 0755, as
# Debian wants, whatever the umask of the user who builds it.
file(GLOB_RECURSE directories LIST_DIRECTORIES true
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(path "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" ${directories})
  if(IS_DIRECTORY "${path}")
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
