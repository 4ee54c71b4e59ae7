# Sourced by build-qt.sh and build-sqlite.sh. fetch_source WORK PACKAGE VERSION
# unpacks Debian's source package into WORK/src through a private apt
# configuration that adds deb-src lines for the archive this machine already
# uses (never /etc/apt), and prints the folder it unpacked to.
fetch_source() {
    local work=$1 package=$2 version=$3
    mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src" || return 1
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >"$work/apt/debian-src.sources" || return 1
    local apt_opts=(-o Dir::Etc::SourceList=/dev/null
        -o Dir::Etc::SourceParts="$work/apt"
        -o Dir::State::Lists="$work/apt/lists"
        -o Dir::Cache="$work/apt/cache")
    echo "== fetching $package $version source" >&2
    apt-get -q "${apt_opts[@]}" update >/dev/null || return 1
    (cd "$work/src" && apt-get -q "${apt_opts[@]}" source "$package=$version" >/dev/null) ||
        return 1
    local src
    src=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
    [ -n "$src" ] || { echo "the source of $package was not unpacked" >&2; return 1; }
    echo "$src"
}
