# Installs the Debian packages named as arguments that are not installed yet.
# Sourced by run.sh and test.sh; works as root and, through sudo, as a normal user.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

BUILD_PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev qt6-base-dev qt6-svg-dev
    libgraphviz-dev libcadical-dev)
