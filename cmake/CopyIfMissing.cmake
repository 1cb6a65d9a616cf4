# Copies SOURCE to DESTINATION only when DESTINATION does not exist yet:
# a template the user adjusted in the designer must survive a rebuild.
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
